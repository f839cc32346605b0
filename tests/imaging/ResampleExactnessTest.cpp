// The fixed-point resampler against the floating-point rule it replaces.
#include <gtest/gtest.h>

#include <random>

#include "imaging/ImagingTestUtil.h"
#include "imaging/Resample.h"

namespace vemra {
namespace {

// Noise is the hardest case for rounding drift: every tap matters.
Bitmap Noise(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  Bitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < 3 * width; ++x) b.Row(y)[x] = std::uint8_t(random());
  return b;
}

// Largest difference in any channel, or -1 when the sizes differ.
int LargestDifference(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
  int largest = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < 3 * a.Width(); ++x) largest = std::max(largest, std::abs(a.Row(y)[x] - b.Row(y)[x]));
  return largest;
}

struct Sizes {
  int sourceWidth, sourceHeight, width, height;
};

// Single pixels at either end, widths around the vector widths (4 taps, 8
// values), enlargements, reductions and mixtures of both.
constexpr Sizes kSizes[] = {
    {1, 1, 1, 1},   {1, 1, 9, 5},     {1, 7, 5, 1},     {7, 1, 1, 3},   {13, 11, 1, 1},
    {2, 2, 3, 17},  {3, 5, 8, 9},     {5, 3, 16, 15},   {17, 9, 7, 5},  {31, 33, 8, 9},
    {33, 31, 65, 3}, {64, 48, 15, 13}, {101, 67, 23, 29}, {40, 30, 121, 7}, {9, 200, 4, 33}, {300, 4, 1, 2}, {250, 250, 3, 7},
};

TEST(ResampleExactness, WithinOneOfTheRuleForEveryFilterAndSize) {
  for (int filter = -1; filter <= kFilterMitchell; ++filter)
    for (const Sizes& s : kSizes)
      for (const Bitmap& source : {Noise(s.sourceWidth, s.sourceHeight, unsigned(filter + 2)),
                                   test::Gradient(s.sourceWidth, s.sourceHeight)}) {
        Bitmap fast(s.width, s.height), exact(s.width, s.height);
        ResampleBitmap(source, fast, filter);
        ResampleBitmapExact(source, exact, filter);
        const int difference = LargestDifference(fast, exact);
        EXPECT_GE(difference, 0);
        EXPECT_LE(difference, 1) << "filter " << filter << ", " << s.sourceWidth << "x" << s.sourceHeight
                                 << " to " << s.width << "x" << s.height;
      }
}

TEST(ResampleExactness, IndexedSourcesGoThroughTwentyFourBits) {
  Bitmap indexed = Noise(21, 14, 7);
  indexed.SetPixelFormat(PixelFormat::pf8bit);
  Bitmap fast(10, 9), exact(10, 9);
  ResampleBitmap(indexed, fast, kFilterMitchell);
  ResampleBitmapExact(indexed, exact, kFilterMitchell);
  EXPECT_EQ(fast.Format(), PixelFormat::pf24bit);
  EXPECT_LE(LargestDifference(fast, exact), 1);
}

}  // namespace
}  // namespace vemra
