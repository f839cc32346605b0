#include <gtest/gtest.h>

#include <stdexcept>

#include "imaging/ColorQuantizer.h"
#include "imaging/ImagingTestUtil.h"
#include "imaging/Resample.h"
#include "imaging/Rotate.h"

namespace vemra {
namespace {

using test::PixelAt;

Bitmap Row(std::initializer_list<int> greys) {
  Bitmap b(int(greys.size()), 1);
  int x = 0;
  for (int g : greys) test::SetPixel(b, x++, 0, MakeColour(g, g, g));
  return b;
}

std::vector<int> Greys(const Bitmap& b) {
  std::vector<int> out;
  for (int x = 0; x < b.Width(); ++x) out.push_back(RedOf(PixelAt(b, x, 0)));
  return out;
}

std::vector<int> Resampled(const Bitmap& source, int width, int filter,
                           void (*resample)(const Bitmap&, Bitmap&, int) = ResampleBitmap) {
  Bitmap destination(width, 1);
  resample(source, destination, filter);
  return Greys(destination);
}

// Values worked out by hand from the contributor rules.
TEST(ResampleBitmap, HandComputedRows) {
  for (auto resample : {ResampleBitmap, ResampleBitmapExact}) {
    EXPECT_EQ(Resampled(Row({0, 200}), 3, kFilterTriangle, resample), (std::vector<int>{0, 100, 200}));
    EXPECT_EQ(Resampled(Row({0, 100, 200, 100}), 2, kFilterBox, resample), (std::vector<int>{67, 133}));
  }
  // 2.5 and 1.5 round to even in the rule; the fixed-point path may round them up.
  EXPECT_EQ(Resampled(Row({2, 3}), 3, kFilterTriangle, ResampleBitmapExact), (std::vector<int>{2, 2, 3}));
  EXPECT_EQ(Resampled(Row({1, 2}), 3, kFilterTriangle, ResampleBitmapExact), (std::vector<int>{1, 2, 2}));
}

// Weights are not normalised: Lanczos3's sum to about 0.99, so a flat
// colour may darken by a level per pass; the others sum to one exactly.
int FlatTolerance(int filter) { return filter == kFilterLanczos3 || filter == -1 ? 2 : 0; }

TEST(ResampleBitmap, OnePixelWideSourceScalesByTheWidth) {
  for (int filter = -1; filter <= 6; ++filter) {
    const std::vector<int> row = Resampled(Row({90}), 10, filter);
    ASSERT_EQ(row.size(), 10u);
    for (int v : row) EXPECT_NEAR(v, 90, FlatTolerance(filter)) << filter;
  }
}

TEST(ResampleBitmap, OnePixelDestinationIsTheMean) {
  for (int filter = -1; filter <= 6; ++filter)
    EXPECT_EQ(Resampled(Row({0, 100, 200, 100}), 1, filter), std::vector<int>{100}) << filter;
  Bitmap column(1, 3);
  ResampleBitmap(test::Filled(5, 8, MakeColour(40, 120, 200)), column, kFilterMitchell);
  EXPECT_TRUE(test::SamePixels(column, test::Filled(1, 3, MakeColour(40, 120, 200)), 0));
}

TEST(ResampleBitmap, FlatColourStaysFlatWithEveryFilter) {
  const Bitmap flat = test::Filled(7, 5, MakeColour(40, 120, 200));
  for (int filter = -1; filter <= 6; ++filter)
    for (auto [w, h] : {std::pair{13, 9}, std::pair{3, 2}, std::pair{7, 5}}) {
      Bitmap destination(w, h);
      ResampleBitmap(flat, destination, filter);
      EXPECT_TRUE(test::SamePixels(destination, test::Filled(w, h, MakeColour(40, 120, 200)),
                                   FlatTolerance(filter)))
          << filter << " " << w << "x" << h;
    }
}

TEST(ResampleBitmap, OvershootIsClampedNotWrapped) {
  const std::vector<int> row = Resampled(Row({0, 0, 255, 255}), 12, kFilterLanczos3);
  EXPECT_EQ(row.front(), 0);
  EXPECT_EQ(row.back(), 255);
  for (std::size_t i = 1; i < row.size(); ++i) EXPECT_GE(row[i] + 40, row[i - 1]) << i;
}

TEST(ResampleBitmap, EmptySourceIsAnError) {
  Bitmap destination(4, 4);
  try {
    ResampleBitmap(Bitmap(), destination, kFilterMitchell);
    FAIL();
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Source bitmap too small");
  }
}

TEST(RotateBitmapQuarter, QuarterTurnsMoveEveryPixel) {
  const Bitmap original = test::Gradient(3, 2);
  Bitmap cw = original;
  RotateBitmapQuarter(90, cw);
  ASSERT_EQ(cw.Width(), 2);
  ASSERT_EQ(cw.Height(), 3);
  EXPECT_EQ(PixelAt(cw, 1, 0), PixelAt(original, 0, 0));
  Bitmap ccw = original;
  RotateBitmapQuarter(270, ccw);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) {
      EXPECT_EQ(PixelAt(cw, x, y), PixelAt(original, y, 1 - x));
      EXPECT_EQ(PixelAt(ccw, x, y), PixelAt(original, 2 - y, x));
    }
}

TEST(RotateBitmapQuarter, TurnsCompose) {
  const Bitmap original = test::Gradient(5, 3);
  const std::vector<std::vector<int>> restoring = {{180, 180}, {90, 270}, {90, 90, 90, 90}, {45}, {0}, {-90}};
  for (const auto& turns : restoring) {
    Bitmap b = original;
    for (int angle : turns) RotateBitmapQuarter(angle, b);
    EXPECT_TRUE(test::SamePixels(b, original)) << turns.size();
  }
}

TEST(Bitmap, FormatConversionsKeepColoursTheyCanHold) {
  const Bitmap pattern = test::ReadPpm(test::DataPath("pattern27.ppm"));
  for (PixelFormat format : {PixelFormat::pf8bit, PixelFormat::pf16bit, PixelFormat::pf32bit}) {
    Bitmap b = pattern;
    b.SetPixelFormat(format);
    EXPECT_EQ(b.Format(), format);
    b.SetPixelFormat(PixelFormat::pf24bit);
    EXPECT_TRUE(test::SamePixels(b, pattern)) << BitsPerPixel(format);
  }
  Bitmap bw = Row({10, 240, 100, 200});
  bw.SetPixelFormat(PixelFormat::pf1bit);
  EXPECT_EQ(Greys(bw), (std::vector<int>{0, 255, 0, 255}));
  Bitmap vga = Row({0, 128, 192, 255});
  vga.SetPixelFormat(PixelFormat::pf4bit);
  EXPECT_EQ(Greys(vga), (std::vector<int>{0, 128, 192, 255}));
}

TEST(Bitmap, SizesAndRows) {
  Bitmap b(5, 3, PixelFormat::pf4bit);
  EXPECT_EQ(b.Stride(), 4);
  EXPECT_EQ(b.Palette().size(), 16u);
  b.SetSize(33, 2);
  EXPECT_EQ(b.Stride(), 20);
  EXPECT_EQ(Bitmap(3, 1).Stride(), 12);
  EXPECT_EQ(BitsPerPixel(PixelFormat::pf16bit), 16);
  EXPECT_THROW(Bitmap(-1, 4), std::length_error);
  EXPECT_THROW(Bitmap(2000000000, 2000000000), std::exception);
}

TEST(TColorQuantizer, ReducesToTheAllowedCount) {
  TColorQuantizer few(8, 8);
  for (int i = 0; i < 256; ++i) few.AddColour(i, 255 - i, i / 2);
  EXPECT_LE(few.Colours().size(), 8u);
  EXPECT_GE(few.Colours().size(), 2u);
  TColorQuantizer exact(256, 8);
  for (int i = 0; i < 5; ++i) exact.AddColour(i * 50, 0, 0);
  EXPECT_EQ(exact.Colours().size(), 5u);
}

}  // namespace
}  // namespace vemra
