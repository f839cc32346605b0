// Word-wide and SIMD pixel loops on sizes that leave remainders, checked
// pixel by pixel against the plain definitions.
#include <gtest/gtest.h>

#include <random>

#include "imaging/ImagingTestUtil.h"
#include "imaging/LynImageEx.h"
#include "imaging/Rotate.h"

namespace vemra {
namespace {

using test::PixelAt;

Bitmap Noise(int width, int height) {
  std::mt19937 random(unsigned(width * 131 + height));
  Bitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < 3 * width; ++x) b.Row(y)[x] = std::uint8_t(random());
  return b;
}

// 1-pixel lines, sizes around the 4-pixel steps and blocks (0 to 3 columns
// and rows left over), and more than one 64-pixel tile each way with a
// ragged last tile.
constexpr std::pair<int, int> kSizes[] = {{1, 1}, {1, 7}, {7, 1}, {2, 3},  {4, 4},   {5, 9},   {8, 3},   {5, 7},
                                          {9, 10}, {12, 11}, {13, 6}, {17, 16}, {65, 3}, {3, 66}, {130, 67}};

// Each of the three turns of a w x h picture puts every pixel where the
// turn's definition says.
void ExpectEveryPixelPlaced(int w, int h) {
  const Bitmap original = Noise(w, h);
  Bitmap cw = original, half = original, ccw = original;
  RotateBitmapQuarter(90, cw), RotateBitmapQuarter(180, half), RotateBitmapQuarter(270, ccw);
  ASSERT_EQ(cw.Width(), h);
  ASSERT_EQ(half.Width(), w);
  ASSERT_EQ(ccw.Height(), w);
  int wrong = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const ColourValue p = PixelAt(original, x, y);
      wrong += PixelAt(cw, h - 1 - y, x) != p;
      wrong += PixelAt(half, w - 1 - x, h - 1 - y) != p;
      wrong += PixelAt(ccw, y, w - 1 - x) != p;
    }
  EXPECT_EQ(wrong, 0) << w << "x" << h;
}

TEST(RotateBitmapQuarter, EveryPixelLandsWhereTheTurnSays) {
  for (auto [w, h] : kSizes) ExpectEveryPixelPlaced(w, h);
}

// Every remainder the strips, blocks and whole 16-byte stores leave, each
// way; the sanitizer build watches the stores and the over-reads.
TEST(RotateBitmapQuarter, EverySizeUpToTwentyFourTurnsExactly) {
  for (int w = 1; w <= 24; ++w)
    for (int h = 1; h <= 24; ++h) ExpectEveryPixelPlaced(w, h);
}

TEST(RotateBitmapQuarter, TurnsComposeOnOddSizes) {
  const std::vector<std::vector<int>> restoring = {{180, 180}, {90, 270}, {270, 90}, {90, 90, 180}};
  for (auto [w, h] : kSizes)
    for (const auto& turns : restoring) {
      const Bitmap original = Noise(w, h);
      Bitmap b = original;
      for (int angle : turns) RotateBitmapQuarter(angle, b);
      EXPECT_TRUE(test::SamePixels(b, original)) << w << "x" << h << ", " << turns.size() << " turns";
    }
}

TEST(ConvertToGreyScale, EveryWidthMatchesTheLuminanceOfEachPixel) {
  for (auto [w, h] : kSizes) {
    const Bitmap original = Noise(w, h);
    Bitmap grey = original;
    ConvertToGreyScale(grey);
    int wrong = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) wrong += PixelAt(grey, x, y) != GreyOfColour(PixelAt(original, x, y));
    EXPECT_EQ(wrong, 0) << w << "x" << h;
  }
}

}  // namespace
}  // namespace vemra
