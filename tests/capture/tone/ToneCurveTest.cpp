#include "capture/tone/ToneCurve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace vemra {
namespace {

Bitmap Filled(int w, int h, int blue, int green, int red) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = b.Row(y) + 3 * x;
      p[0] = std::uint8_t(blue), p[1] = std::uint8_t(green), p[2] = std::uint8_t(red);
    }
  return b;
}

// Every byte value appears in every channel: pixel i is (i, 255 - i, i * 7).
Bitmap Ramp(int w, int h) {
  Bitmap b(w, h);
  int i = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x, ++i) {
      std::uint8_t* p = b.Row(y) + 3 * x;
      p[0] = std::uint8_t(i), p[1] = std::uint8_t(255 - i), p[2] = std::uint8_t(i * 7);
    }
  return b;
}

std::vector<int> Pixel(const Bitmap& b, int x, int y) {
  const std::uint8_t* p = b.Row(y) + 3 * x;
  return {p[0], p[1], p[2]};
}

TEST(ToneCurve, DerivedParametersRound) {
  struct Case { int value, strength, offset; };
  for (const Case& c : {Case{0, 0, 0}, {1, 3, 1}, {10, 25, 13}, {25, 63, 32}, {-25, -63, -32},
                        {50, 127, 64}, {-50, -127, -64}, {-1, -3, -1}, {-10, -25, -13}}) {
    EXPECT_EQ(ContrastStrength(c.value), c.strength) << c.value;
    EXPECT_EQ(ToneOffset(c.value), c.offset) << c.value;
  }
}

TEST(ToneCurve, ContrastMovesValuesAwayFromOrTowardTheMiddle) {
  // (contrast, value, result): positive contrast at full strength, negative
  // at half strength with the halving truncated toward zero.
  const int rows[][3] = {{50, 0, 0},     {50, 254, 255},  {50, 127, 127},  {50, 128, 129}, {50, 64, 1},
                         {-50, 0, 63},   {-50, 255, 191}, {-50, 127, 127}, {-50, 128, 128},
                         {25, 200, 236}, {-25, 0, 31},    {-25, 255, 224}, {10, 0, 0},     {10, 100, 95}};
  for (const auto& r : rows)
    EXPECT_EQ(ToneValue(r[1], ContrastStrength(r[0]), 0), r[2]) << r[0] << " " << r[1];
}

TEST(ToneCurve, BrightnessMovesEveryChannelAndAColourOnlyItsOwn) {
  struct Case { ToneSettings settings; std::vector<int> from, to; };
  for (const Case& c : {
           Case{{50, 0, 0, 0, 0}, {10, 100, 250}, {74, 164, 255}},
           Case{{0, 0, 50, 0, 0}, {10, 100, 150}, {10, 100, 214}},
           Case{{0, 0, 0, -50, 0}, {10, 100, 150}, {10, 36, 150}},
           Case{{0, 0, 0, 0, 10}, {10, 100, 150}, {23, 100, 150}},
           Case{{-50, 0, 0, 0, -50}, {200, 30, 128}, {72, 0, 64}},
       }) {
    const Bitmap source = Filled(3, 2, c.from[0], c.from[1], c.from[2]);
    Bitmap out;
    ApplyToneSettings(source, out, c.settings);
    ASSERT_EQ(out.Width(), 3);
    ASSERT_EQ(out.Height(), 2);
    EXPECT_EQ(Pixel(out, 2, 1), c.to);
  }
}

// The word-at-a-time loop against the curve pixel by pixel, for widths that
// leave every remainder, top-down and bottom-up, into itself and elsewhere.
TEST(ToneCurve, TablesMatchTheCurveAtEveryWidthAndStride) {
  const ToneSettings settings{7, -33, 21, -9, 44};
  const int s = ContrastStrength(settings.contrast), b = ToneOffset(settings.brightness);
  const int offsets[3] = {b + ToneOffset(settings.blue), b + ToneOffset(settings.green),
                          b + ToneOffset(settings.red)};
  const ToneTables tables = MakeToneTables(settings);
  for (int width : {1, 2, 3, 4, 5, 8, 9, 15, 16, 17, 33}) {
    const Bitmap source = Ramp(width, 40);
    Bitmap expected(width, 40);
    for (int y = 0; y < 40; ++y)
      for (int i = 0; i < 3 * width; ++i) expected.Row(y)[i] = std::uint8_t(ToneValue(source.Row(y)[i], s, offsets[i % 3]));

    Bitmap copy(width, 40);  // bottom-up into a separate picture
    ApplyToneTables(tables, source.Row(39), -source.Stride(), copy.Row(39), -copy.Stride(), width, 40,
                    ToneKernel::kTables);
    Bitmap inPlace = source;
    ApplyToneSettings(inPlace, inPlace, settings);
    for (int y = 0; y < 40; ++y) {
      EXPECT_TRUE(std::equal(copy.Row(y), copy.Row(y) + 3 * width, expected.Row(y))) << width << " row " << y;
      EXPECT_TRUE(std::equal(inPlace.Row(y), inPlace.Row(y) + 3 * width, expected.Row(y))) << width << " row " << y;
    }
  }
}

// The vector kernel against the tables for every contrast and brightness,
// with colour offsets that reach both ends of the offset range.
TEST(ToneCurve, KernelsAgreeForEverySetting) {
  if (!ToneKernelAvailable(ToneKernel::kVector)) GTEST_SKIP() << "no vector kernel on this processor";
  const Bitmap source = Ramp(37, 8);  // every byte value in every channel, and a remainder of 5 pixels
  Bitmap tables(37, 8), vector(37, 8);
  int mismatches = 0;
  for (int contrast = -50; contrast <= 50; ++contrast)
    for (int brightness = -50; brightness <= 50; ++brightness) {
      const ToneSettings settings{brightness, contrast, 50, -50, brightness / 2};
      const ToneTables t = MakeToneTables(settings);
      ApplyToneTables(t, source.Row(0), source.Stride(), tables.Row(0), tables.Stride(), 37, 8, ToneKernel::kTables);
      ApplyToneTables(t, source.Row(0), source.Stride(), vector.Row(0), vector.Stride(), 37, 8, ToneKernel::kVector);
      for (int y = 0; y < 8; ++y) mismatches += !std::equal(tables.Row(y), tables.Row(y) + 111, vector.Row(y));
    }
  EXPECT_EQ(mismatches, 0);
}

TEST(ToneCurve, NeutralSettingsCopyAndOtherFormatsAreReadAs24Bits) {
  const Bitmap source = Ramp(5, 5);
  Bitmap out(1, 1, PixelFormat::pf8bit);
  ApplyToneSettings(source, out, {});
  EXPECT_EQ(out.Format(), PixelFormat::pf24bit);
  for (int y = 0; y < 5; ++y) EXPECT_TRUE(std::equal(out.Row(y), out.Row(y) + 15, source.Row(y)));

  Bitmap grey8(4, 1, PixelFormat::pf8bit);  // grey ramp palette: index 100 is grey 100
  grey8.Row(0)[0] = 100;
  ApplyToneSettings(grey8, out, {50, 0, 0, 0, 0});
  EXPECT_EQ(Pixel(out, 0, 0), (std::vector<int>{164, 164, 164}));

  Bitmap empty;
  ApplyToneSettings(empty, out, {10, 10, 0, 0, 0});
  EXPECT_TRUE(out.Empty());
}

TEST(GreyScalePicture, GreysColoursByLuminanceAndLeavesGreyAlone) {
  Bitmap b = Filled(2, 1, 50, 100, 200);
  b.Row(0)[3] = b.Row(0)[4] = b.Row(0)[5] = 77;
  GreyScalePicture(b);
  // (200 x 77 + 100 x 150 + 50 x 29) >> 8 = 124
  EXPECT_EQ(Pixel(b, 0, 0), (std::vector<int>{124, 124, 124}));
  EXPECT_EQ(Pixel(b, 1, 0), (std::vector<int>{77, 77, 77}));
}

TEST(HistogramContrast, AColourPictureBecomesGreyAndSpansTheRange) {
  Bitmap b = Ramp(16, 8);
  HistogramContrast(b);
  int lo = 255, hi = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const auto p = Pixel(b, x, y);
      EXPECT_TRUE(p[0] == p[1] && p[1] == p[2]);
      lo = std::min(lo, p[0]), hi = std::max(hi, p[0]);
    }
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 255);
}

TEST(HistogramContrast, StretchesGreyLevelsRoundingHalvesToEven) {
  // Levels 0..6 stretch by 42.5: 1 -> 42.5 -> 42, 3 -> 127.5 -> 128, 5 -> 212.5 -> 212.
  Bitmap b(7, 1);
  for (int x = 0; x < 7; ++x) std::fill_n(b.Row(0) + 3 * x, 3, std::uint8_t(x));
  HistogramContrast(b);
  const int expected[7] = {0, 42, 85, 128, 170, 212, 255};
  for (int x = 0; x < 7; ++x) EXPECT_EQ(Pixel(b, x, 0), std::vector<int>(3, expected[x])) << x;
}

TEST(HistogramContrast, ASingleLevelHasNothingToStretch) {
  Bitmap grey = Filled(4, 3, 90, 90, 90);
  HistogramContrast(grey);
  EXPECT_EQ(Pixel(grey, 3, 2), (std::vector<int>{90, 90, 90}));

  Bitmap colour = Filled(4, 3, 50, 100, 200);  // still turned grey, not stretched
  HistogramContrast(colour);
  EXPECT_EQ(Pixel(colour, 3, 2), (std::vector<int>{124, 124, 124}));
}

TEST(ApplyToneSettingsInPlace, GreyThenHistogramThenTheCurve) {
  Bitmap b = Filled(2, 1, 50, 100, 200);
  std::fill_n(b.Row(0) + 3, 3, std::uint8_t(0));
  ApplyToneSettingsInPlace(-50, 0, 0, 0, 0, true, true, b);  // 124 stretches to 255, then -64
  EXPECT_EQ(Pixel(b, 0, 0), (std::vector<int>{191, 191, 191}));
  EXPECT_EQ(Pixel(b, 1, 0), (std::vector<int>{0, 0, 0}));
}

}  // namespace
}  // namespace vemra
