#include <gtest/gtest.h>

#include "layout/BitmapTestCanvas.h"
#include "layout/render/PartialOpacity.h"
#include "layout/render/PictureEffects.h"

namespace vemra {
namespace {

constexpr ColourValue kWhite = 0xFFFFFF, kRed = MakeColour(255, 0, 0),
                      kGreen = MakeColour(0, 255, 0), kCard = MakeColour(0, 0, 200);

Bitmap Filled(int w, int h, ColourValue colour) {
  BitmapTestCanvas canvas(w, h, colour);
  return canvas.surface;
}

void Put(Bitmap& b, int x, int y, ColourValue c) {
  std::uint8_t* p = b.Row(y) + 3 * x;
  p[0] = std::uint8_t(BlueOf(c)), p[1] = std::uint8_t(GreenOf(c)), p[2] = std::uint8_t(RedOf(c));
}

ColourValue At(const Bitmap& b, int x, int y) {
  const std::uint8_t* p = b.Row(y) + 3 * x;
  return MakeColour(p[2], p[1], p[0]);
}

Bitmap NearestStretch(const Picture& picture, int w, int h) {
  Bitmap source = *picture.AsBitmap(), out(w, h);
  source.transparent = false;
  DrawOver(out, source);
  out.transparent = picture.AsBitmap()->transparent;
  out.transparentColour = picture.AsBitmap()->transparentColour;
  return out;
}

// Runs the effects for `picture` drawn at (10, 10) on a dark blue card and
// gives back the processed picture.
Bitmap Effects(const Bitmap& picture, const std::string& record, int boxW = 0, int boxH = 0) {
  if (!boxW) boxW = picture.Width(), boxH = picture.Height();
  BitmapTestCanvas card(boxW + 20, boxH + 20, kCard);
  Picture image;
  image.SetBitmap(picture);
  LynAlpha alpha;
  const PixelRect box{10, 10, 10 + boxW, 10 + boxH};
  ApplyImageEffects(box, card, image, record, alpha, NearestStretch);
  return *image.AsBitmap();
}

TEST(AlphaOfOpacity, MapsPercentToBackgroundAlpha) {
  struct Case { int opacity, alpha; } cases[] = {
      {100, 0}, {0, 255}, {50, 127}, {25, 191}, {99, 3}, {1, 252},
      {256, 255}, {356, 0},  // taken modulo 256
      {101, 0}, {150, 0}, {255, 0},  // beyond 100 stays opaque rather than wrapping round
  };
  for (const auto& c : cases) EXPECT_EQ(AlphaOfOpacity(c.opacity), c.alpha) << c.opacity;
}

TEST(BlendChannel, RoundsToNearestLikeThePlatformBlend) {
  struct Case { int dst, src, alpha, out; } cases[] = {
      {0, 255, 127, 127}, {255, 0, 127, 128}, {0, 255, 128, 128}, {10, 20, 0, 10},
      {10, 20, 255, 20}, {0, 1, 128, 1}, {0, 1, 127, 0}, {200, 100, 64, 175},
  };
  for (const auto& c : cases)
    EXPECT_EQ(BlendChannel(c.dst, c.src, c.alpha), c.out) << c.dst << " " << c.src << " " << c.alpha;
}

TEST(LynAlpha, BlendsTheSavedBackgroundBackOverTheObject) {
  BitmapTestCanvas canvas(20, 10, kWhite);
  LynAlpha alpha;
  const PixelRect box{5, 2, 15, 8};
  EXPECT_FALSE(alpha.BlendSavedBackground(50, box, canvas));  // nothing saved yet
  alpha.SaveBackground(canvas, box);
  ASSERT_NE(alpha.SavedBackground(), nullptr);
  EXPECT_EQ(alpha.SavedBackground()->Width(), 10);
  canvas.FillRect(box, 0);  // the object, black
  EXPECT_TRUE(alpha.BlendSavedBackground(50, box, canvas));
  EXPECT_EQ(canvas.At(5, 2), MakeColour(127, 127, 127));
  EXPECT_EQ(canvas.At(4, 2), kWhite);
  alpha.DiscardBackground();
  EXPECT_EQ(alpha.SavedBackground(), nullptr);
  EXPECT_FALSE(alpha.BlendSavedBackground(50, box, canvas));
}

TEST(LynAlpha, RefusesABlendStartedWhileAnotherRuns) {
  BitmapTestCanvas canvas(4, 4, kWhite);
  LynAlpha alpha;
  alpha.SaveBackground(canvas, {0, 0, 4, 4});
  Bitmap picture = Filled(4, 4, 0), background = Filled(4, 4, kWhite);
  int calls = 0, refused = 0;
  alpha.processMessages = [&] {
    if (++calls > 1) return;  // after the blend the flag is clear again
    Bitmap other = Filled(4, 4, 0);
    if (!alpha.BlendBitmaps(0, other, background)) ++refused;
    if (!alpha.BlendSavedBackground(0, {0, 0, 4, 4}, canvas)) ++refused;
  };
  EXPECT_TRUE(alpha.BlendBitmaps(0, picture, background));
  EXPECT_EQ(At(picture, 3, 3), kWhite);  // opacity 0: only the background shows
  EXPECT_EQ(calls, 2);                   // before and after
  EXPECT_EQ(refused, 2);
}

TEST(EffectValue, SplitsShortItemsAfterTheKeyAndMatchesAnyCase) {
  const std::string record = "typfim\tTRP7\ttpf0\tImFxLineSpace=2\tImFx=Line\thei40\topa\tdat=x";
  struct Case { const char* key; const char* value; } cases[] = {
      {"trp", "7"}, {"tpf", "0"}, {"imfx", "Line"}, {"ImFxLineSpace", "2"}, {"hei", "40"},
      {"opa", ""}, {"tpt", ""}, {"dat", "x"}, {"typ", "fim"}, {"ImFxLineColor", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(EffectValue(c.key, record), c.value) << c.key;
}

TEST(NeedsImageEffects, CountsOnlyValuesThatChangeSomething) {
  struct Case { const char* record; bool needed; } cases[] = {
      {"typfim\ttrp7", true}, {"typfim\ttrp0", false}, {"typfim\topa50", true},
      {"typfim\topa0", false}, {"typfim\topa100", true}, {"typfim\tImFx=GrayScale", true},
      {"typfim\tImFx=", false}, {"typfim\ttrp0\topa0", false}, {"typfim", false},
      {"typfim\ttrp", false},
  };
  for (const auto& c : cases) EXPECT_EQ(NeedsImageEffects(c.record), c.needed) << c.record;
}

TEST(ParseEffectColour, ReadsRedFirst) {
  EXPECT_EQ(ParseEffectColour("FF0000"), kRed);
  EXPECT_EQ(ParseEffectColour("$00ff00"), kGreen);
  EXPECT_EQ(ParseEffectColour("0000FF"), MakeColour(0, 0, 255));
  for (const char* bad : {"", "FF00", "GG0000", "$", "FF00000", "0x00FF"})
    EXPECT_EQ(ParseEffectColour(bad), -1) << bad;
}

// A 6 x 6 picture: white left column strip connected to the top-left
// corner, a near-white pixel inside it, an isolated white and near-white
// pixel in the red rest, and a green centre.
Bitmap Sample() {
  Bitmap b = Filled(6, 6, kRed);
  for (int y = 0; y < 6; ++y) Put(b, 0, y, kWhite);
  Put(b, 0, 4, MakeColour(250, 250, 250));
  Put(b, 4, 1, kWhite);
  Put(b, 4, 4, MakeColour(250, 250, 250));
  Put(b, 3, 3, kGreen);
  return b;
}

TEST(ApplyImageEffects, TransparencyLetsTheCardShowThrough) {
  const ColourValue nearWhite = MakeColour(250, 250, 250);
  struct Probe { int x, y; ColourValue colour; };
  struct Case { const char* record; std::vector<Probe> probes; } cases[] = {
      // every exactly white pixel, nothing near white
      {"trp7", {{0, 0, kCard}, {4, 1, kCard}, {0, 4, nearWhite}, {4, 4, nearWhite}, {1, 1, kRed}}},
      // within the tolerance too
      {"trp7\ttpt10", {{0, 4, kCard}, {4, 4, kCard}, {4, 1, kCard}}},
      // grown from the corner: only the connected near-white turns white
      {"trp7\ttpf0\ttpt10", {{0, 4, kCard}, {4, 1, kCard}, {4, 4, nearWhite}, {1, 1, kRed}}},
      // the centre (w / 2, h / 2) gives the key
      {"trp5", {{3, 3, kCard}, {0, 0, kWhite}, {1, 1, kRed}}},
      {"trp3", {{1, 1, kCard}, {0, 0, kWhite}}},  // bottom right is red
      {"trpFF0000", {{1, 1, kCard}, {0, 0, kWhite}}},
      {"trp$00FF00", {{3, 3, kCard}, {1, 1, kRed}}},
      {"trpnotacolour", {{0, 0, kWhite}, {1, 1, kRed}}},
      {"trp0\topa100", {{0, 0, kWhite}, {1, 1, kRed}, {3, 3, kGreen}}},
  };
  for (const auto& c : cases) {
    const Bitmap out = Effects(Sample(), c.record);
    EXPECT_FALSE(out.transparent) << c.record;
    for (const Probe& p : c.probes)
      EXPECT_EQ(At(out, p.x, p.y), p.colour) << c.record << " at " << p.x << "," << p.y;
  }
}

TEST(ApplyImageEffects, InvalidPositionCodeLeavesThePictureAsLoaded) {
  for (const char* record : {"trp10\topa50\tImFx=GrayScale", "trp0\tImFx=", "opa0", "trp-1\topa50"}) {
    Bitmap picture = Sample();
    picture.transparent = true;  // kept as it was: no composite happened
    const Bitmap out = Effects(picture, record);
    EXPECT_TRUE(out.transparent) << record;
    EXPECT_EQ(At(out, 1, 1), kRed) << record;
    EXPECT_EQ(out.Width(), 6) << record;
  }
}

TEST(ApplyImageEffects, OpacityBlendsPictureAndCard) {
  const Bitmap out = Effects(Filled(4, 4, 0), "opa50");
  // the card laid over black with alpha 127
  EXPECT_EQ(At(out, 2, 2), MakeColour(0, 0, BlendChannel(0, 200, 127)));
  EXPECT_EQ(At(Effects(Filled(4, 4, 0), "opa0\ttrp7"), 1, 1), kCard);
  EXPECT_EQ(At(Effects(Filled(4, 4, 0), "opa1,5\tImFx=x"), 1, 1), 0u);  // not an integer: opaque
}

TEST(ApplyImageEffects, CompositesOverTheCardHonouringTransparency) {
  Bitmap picture = Sample();
  picture.transparent = true;
  picture.transparentColour = kRed;
  const Bitmap out = Effects(picture, "trp0\topa100");
  EXPECT_EQ(At(out, 1, 1), kCard);
  EXPECT_EQ(At(out, 0, 0), kWhite);
}

TEST(ApplyImageEffects, StretchesToTheBox) {
  const Bitmap out = Effects(Filled(3, 3, kRed), "trp0\topa100", 12, 9);
  EXPECT_EQ(out.Width(), 12);
  EXPECT_EQ(out.Height(), 9);
  EXPECT_EQ(At(out, 11, 8), kRed);
}

TEST(ApplyImageEffects, GreyScaleKeepsTheTransparentAreas) {
  const Bitmap out = Effects(Sample(), "trp7\tImFx=grayscale");
  EXPECT_EQ(At(out, 0, 0), kCard);
  EXPECT_EQ(At(out, 1, 1), MakeColour(76, 76, 76));  // luminance of red
}

TEST(ApplyImageEffects, LineScreenDrawsOneLinePerLayoutUnit) {
  struct Case { const char* record; int spacing; } cases[] = {
      {"ImFx=Line\thei40", 10},  // 400 pixels for 40 units: a line every 10 pixels
      {"ImFx=Line\thei40\tImFxLineSpace=2", 20},
      {"ImFx=Line", 10},         // hei defaults to 40
      {"ImFx=Line\thei40\tImFxLineSpace=0", 1},  // a zero spacing is drawn as densely as possible
  };
  for (const auto& c : cases) {
    const Bitmap out = Effects(Filled(20, 400, kWhite), c.record);
    for (int row = 0; row < 400; ++row) {
      const bool line = (row + 1) % c.spacing == 0;
      ASSERT_EQ(At(out, 5, row), line ? 0u : kCard) << c.record << " row " << row;
    }
  }
  const Bitmap coloured = Effects(Filled(20, 400, kWhite), "ImFx=Line\tImFxLineColor=$FF0000");
  EXPECT_EQ(At(coloured, 0, 9), kRed);
  const Bitmap malformed = Effects(Filled(20, 400, kWhite), "ImFx=Line\tImFxLineColor=red");
  EXPECT_EQ(At(malformed, 0, 9), 0u);
}

}  // namespace
}  // namespace vemra
