#include "capture/tone/AdjustModel.h"
#include "capture/tone/AdjustPictures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vemra {
namespace {

TEST(CheckFieldText, FollowsTheFieldRules) {
  struct Case { const char* text; FieldCheck::Kind kind; int value; const char* shown; };
  for (const Case& c : {
           Case{"", FieldCheck::kLeftAlone, 0, ""},
           {"-", FieldCheck::kLeftAlone, 0, "-"},
           {"abc", FieldCheck::kNotNumeral, 0, ""},
           {"1a", FieldCheck::kNotNumeral, 0, ""},
           {"--5", FieldCheck::kNotNumeral, 0, ""},
           {"+", FieldCheck::kNotNumeral, 0, ""},
           {"7", FieldCheck::kValue, 7, "7"},
           {"-45", FieldCheck::kValue, -45, "-45"},
           {"+5", FieldCheck::kValue, 5, "+5"},
           {"75", FieldCheck::kValue, 50, "50"},
           {"-51", FieldCheck::kValue, -50, "-50"},
           {"99999999999999999999", FieldCheck::kValue, 50, "50"},
       }) {
    const FieldCheck check = CheckFieldText(c.text);
    EXPECT_EQ(check.kind, c.kind) << c.text;
    EXPECT_EQ(check.value, c.value) << c.text;
    EXPECT_EQ(check.text, c.shown) << c.text;
  }
}

TEST(AdjustModel, EmptyAndLoneMinusCountAsZeroAtOk) {
  AdjustModel m;
  m.Edit(ToneField::kBrightness, "-");
  m.Edit(ToneField::kContrast, "");
  m.Edit(ToneField::kRed, "12");
  EXPECT_EQ(m.Text(ToneField::kBrightness), "-");
  EXPECT_EQ(m.Settings(), (ToneSettings{0, 0, 12, 0, 0}));
  EXPECT_EQ(m.KnobTopOf(ToneField::kBrightness), 50);
}

TEST(AdjustModel, LettersEmptyTheFieldAndKeepTheOthers) {
  AdjustModel m;
  m.Edit(ToneField::kGreen, "20");
  EXPECT_EQ(m.Edit(ToneField::kBlue, "abc").kind, FieldCheck::kNotNumeral);
  EXPECT_EQ(m.Text(ToneField::kBlue), "");
  EXPECT_EQ(m.Settings(), (ToneSettings{0, 0, 0, 20, 0}));
}

TEST(AdjustModel, KeysTrackClicksAndKnobsStepAndClamp) {
  struct Case { const char* start; int delta; const char* result; };
  for (const Case& c : {Case{"", FieldKeyStep(FieldKey::kUp), "1"},
                        {"-", FieldKeyStep(FieldKey::kDown), "-1"},
                        {"45", FieldKeyStep(FieldKey::kPageUp), "50"},
                        {"-45", FieldKeyStep(FieldKey::kPageDown), "-50"},
                        {"50", FieldKeyStep(FieldKey::kUp), "50"}}) {
    AdjustModel m;
    m.Edit(ToneField::kContrast, c.start);
    EXPECT_EQ(m.Step(ToneField::kContrast, c.delta).text, c.result) << c.start;
  }
  // A click below the knob at -45 asks for -55 and gets -50.
  AdjustModel m;
  m.Edit(ToneField::kBlue, "-45");
  const int top = m.KnobTopOf(ToneField::kBlue);
  EXPECT_EQ(top, 95);
  const int knobHeight = 10;
  EXPECT_EQ(TrackClickStep(top + knobHeight + 2, top, knobHeight), -10);
  EXPECT_EQ(TrackClickStep(top - 1, top, knobHeight), 10);
  EXPECT_EQ(TrackClickStep(top + 3, top, knobHeight), 0);
  EXPECT_EQ(m.Step(ToneField::kBlue, -10).text, "-50");
  EXPECT_EQ(m.KnobTopOf(ToneField::kBlue), 100);

  EXPECT_EQ(m.DragKnob(ToneField::kRed, -20).value, 50);
  EXPECT_EQ(m.DragKnob(ToneField::kRed, 130).value, -50);
  EXPECT_EQ(m.DragKnob(ToneField::kRed, 38).text, "12");
}

TEST(AdjustModel, KeypadDigitsChooseTheVariantOfTheirGridPlace) {
  AdjustModel m;
  m.Edit(ToneField::kRed, "30");
  m.ChooseVariant(VariantOfKeypadDigit(7));
  EXPECT_EQ(m.Settings(), (ToneSettings{10, 10, 0, 0, 0}));
  EXPECT_EQ(m.ContrastSign() + m.BrightnessSign(), "++");
  m.ChooseVariant(VariantOfKeypadDigit(3));
  EXPECT_EQ(m.Settings(), (ToneSettings{-10, -10, 0, 0, 0}));
  m.Edit(ToneField::kGreen, "-8");
  m.ChooseVariant(VariantOfKeypadDigit(5));
  EXPECT_EQ(m.Settings(), ToneSettings{});
  EXPECT_EQ(m.ContrastSign() + m.BrightnessSign(), "00");
  EXPECT_EQ(VariantOfKeypadDigit(0), -1);
  // The grid reads like the keypad: 7 8 9 on top, 1 2 3 below.
  EXPECT_EQ(VariantOfKeypadDigit(7), 0);
  EXPECT_EQ(VariantOfKeypadDigit(5), 4);
  EXPECT_EQ(VariantOfKeypadDigit(3), 8);
  for (const ToneVariant& v : kToneVariants) {
    EXPECT_EQ(v.hint[0], v.contrast > 0 ? '+' : v.contrast < 0 ? '-' : '0');
    EXPECT_EQ(v.hint[1], v.brightness > 0 ? '+' : v.brightness < 0 ? '-' : '0');
  }
}

Bitmap Colourful(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = b.Row(y) + 3 * x;
      p[0] = std::uint8_t(x * 4), p[1] = std::uint8_t(y * 4), p[2] = std::uint8_t((x + y) * 2 + 30);
    }
  return b;
}

bool Same(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    if (!std::equal(a.Row(y), a.Row(y) + 3 * a.Width(), b.Row(y))) return false;
  return true;
}

// What the dialog previews is what the capture dialog gets by applying the
// answer to the same region, in every colour mode.
TEST(AdjustPictures, PreviewIsWhatTheAnswerGivesTheRegion) {
  const Bitmap region = Colourful(40, 30);
  AdjustPictures pictures(region, {246, 185}, true, {60, 45});
  const ToneSettings settings{-12, 20, 5, 0, -30};
  for (ColourMode mode : {ColourMode::kGreyScale, ColourMode::kHistogramContrast, ColourMode::kNone}) {
    pictures.SetColourMode(mode);
    pictures.Update(settings);
    Bitmap applied = region;
    ApplyToneAdjustment({settings, mode}, applied);
    EXPECT_TRUE(Same(pictures.Preview(), applied)) << int(mode);
    EXPECT_EQ(pictures.ShownPreview().Width(), 246);
    EXPECT_EQ(pictures.ShownPreview().Height(), 185);
  }
}

TEST(AdjustPictures, VariantsAreTheGridsSettingsOnAThumbnail) {
  const Bitmap region = Colourful(40, 30);
  AdjustPictures pictures(region, {246, 185}, true, {60, 45});
  const Bitmap& middle = pictures.Variant(4);
  ASSERT_EQ(middle.Width(), 60);
  ASSERT_EQ(middle.Height(), 45);
  Bitmap expected;
  ApplyToneSettings(middle, expected, {10, 10, 0, 0, 0});
  EXPECT_TRUE(Same(pictures.Variant(0), expected));
  ApplyToneSettings(middle, expected, {-10, -10, 0, 0, 0});
  EXPECT_TRUE(Same(pictures.Variant(8), expected));
}

TEST(AdjustPictures, SmallPreviewAndLensAtTheShownSize) {
  const Bitmap region = Colourful(40, 10);
  const PixelSize shown = FitToAspect({246, 246}, {40, 10});
  EXPECT_EQ(shown, (PixelSize{246, 62}));  // 61.5 rounds to even
  AdjustPictures pictures(region, shown, false, {});
  pictures.Update({});
  EXPECT_EQ(pictures.Preview().Width(), 246);
  EXPECT_EQ(pictures.Preview().Height(), 62);
  const LensRect lens = pictures.ClampLens({230, 50, 64, 64});
  EXPECT_EQ(lens.left, 246 - 64);
  EXPECT_EQ(lens.top, 0);
  EXPECT_EQ(lens.height, 62);
  const Bitmap part = pictures.Lens({0, 0, 0, 0, 0}, lens);
  EXPECT_TRUE(std::equal(part.Row(5), part.Row(5) + 3 * 64, pictures.Preview().Row(5) + 3 * lens.left));
}

TEST(FitToAspect, LongerSideKeepsTheBox) {
  EXPECT_EQ(FitToAspect({246, 246}, {360, 480}), (PixelSize{184, 246}));  // 184.5 to even
  EXPECT_EQ(FitToAspect({246, 246}, {1000, 1000}), (PixelSize{246, 246}));
  EXPECT_EQ(FitToAspect({246, 246}, {5000, 1}), (PixelSize{246, 1}));
}

}  // namespace
}  // namespace vemra
