#include "imaging/PictureBudget.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ImagingTestUtil.h"
#include "imaging/LynImageEx.h"
#include "imaging/PictureCodecs.h"

namespace vemra::test {
namespace {

// Collects what the budget reports for the life of the test.
class PictureBudgetTest : public ::testing::Test {
 protected:
  PictureBudgetTest() {
    SetPictureBudgetReport([this](const std::string& m) { reports.push_back(m); });
  }
  ~PictureBudgetTest() override { SetPictureBudgetReport(nullptr); }
  std::vector<std::string> reports;
};

// A JPEG of 16 x 16 pixels whose header claims `width` x `height`: a few
// hundred bytes that would decode to any size.
std::vector<std::uint8_t> JpegClaiming(int width, int height) {
  std::vector<std::uint8_t> jpeg;
  EXPECT_TRUE(EncodeJpeg(Filled(16, 16, 0x336699), 75, jpeg));
  for (std::size_t i = 0; i + 8 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 5] = std::uint8_t(height >> 8), jpeg[i + 6] = std::uint8_t(height);
      jpeg[i + 7] = std::uint8_t(width >> 8), jpeg[i + 8] = std::uint8_t(width);
      break;
    }
  return jpeg;
}

void Put32(std::vector<std::uint8_t>& v, std::size_t at, std::uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = std::uint8_t(x >> (8 * i));
}

// An 8-bit run-length coded bitmap of width x height holding only its end
// marker: about 1 KB.
std::vector<std::uint8_t> RleBmpClaiming(int width, int height) {
  std::vector<std::uint8_t> bmp(14 + 40 + 1024 + 2, 0);
  bmp[0] = 'B', bmp[1] = 'M';
  Put32(bmp, 2, std::uint32_t(bmp.size()));
  Put32(bmp, 10, 14 + 40 + 1024);
  Put32(bmp, 14, 40);
  Put32(bmp, 18, std::uint32_t(width));
  Put32(bmp, 22, std::uint32_t(height));
  bmp[26] = 1, bmp[28] = 8;
  Put32(bmp, 30, 1);  // BI_RLE8
  bmp[bmp.size() - 2] = 0, bmp[bmp.size() - 1] = 1;  // end of bitmap
  return bmp;
}

// An icon of one 8-bit picture whose header claims width x height.
std::vector<std::uint8_t> IcoClaiming(int width, int height) {
  const std::uint32_t dibSize = 40 + 1024 + 4;
  std::vector<std::uint8_t> ico(6 + 16 + dibSize, 0);
  ico[2] = 1, ico[4] = 1;  // an icon file of one entry
  ico[6 + 6] = 8;          // bits
  Put32(ico, 6 + 8, dibSize);
  Put32(ico, 6 + 12, 22);
  Put32(ico, 22, 40);
  Put32(ico, 22 + 4, std::uint32_t(width));
  Put32(ico, 22 + 8, std::uint32_t(2 * height));  // colour rows and mask rows
  ico[22 + 12] = 1, ico[22 + 14] = 8;
  return ico;
}

TEST_F(PictureBudgetTest, LeasesHoldTheirBytesUntilTheyGo) {
  const std::uint64_t before = PictureBytesInUse();
  {
    Bitmap picture(100, 10);  // rows of 300 bytes
    EXPECT_EQ(PictureBytesInUse(), before + 3000);
    Bitmap copy = picture;
    EXPECT_EQ(PictureBytesInUse(), before + 6000);
    Bitmap moved = std::move(copy);
    EXPECT_EQ(PictureBytesInUse(), before + 6000);
    moved.SetSize(10, 10);  // rows of 32 bytes
    EXPECT_EQ(PictureBytesInUse(), before + 3000 + 320);
  }
  EXPECT_EQ(PictureBytesInUse(), before);
  EXPECT_TRUE(reports.empty());
}

TEST_F(PictureBudgetTest, RefusalsAreReportedWithTheirSubjectUnlessQuiet) {
  const ScopedPictureBudget small(1 << 20, 300'000);
  struct Case {
    int width, height;
    bool granted;
  } cases[] = {{100, 1000, true}, {101, 1000, false}, {1 << 20, 1 << 20, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    reports.clear();
    const PictureBudgetSubject subject("logo.jpg");
    if (c.granted) {
      EXPECT_NO_THROW(Bitmap(c.width, c.height));
      EXPECT_TRUE(reports.empty());
    } else {
      EXPECT_THROW(Bitmap(c.width, c.height), PictureRefused);
      ASSERT_EQ(reports.size(), 1u);
      EXPECT_EQ(reports[0].rfind("logo.jpg: bilden " + std::to_string(c.width) + " x ", 0), 0u)
          << reports[0];
    }
  }
  reports.clear();
  {
    // Four pictures of 300,000 bytes do not fit in 1 MB together.
    std::vector<Bitmap> held;
    for (int i = 0; i < 3; ++i) held.emplace_back(100, 1000);
    EXPECT_THROW(Bitmap(100, 1000), PictureRefused);
    const PictureBudgetSubject quiet("shadow", true);
    const PictureBudgetSubject inner("file.jpg");
    EXPECT_THROW(Bitmap(100, 1000), PictureRefused);
  }
  EXPECT_EQ(reports.size(), 1u);
}

TEST_F(PictureBudgetTest, TinyFilesDeclaringHugePicturesAreRefusedBeforeDecoding) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
  } cases[] = {
      {"jpeg", JpegClaiming(10000, 10000)},
      {"rle bmp", RleBmpClaiming(10000, 10000)},
      {"ico", IcoClaiming(10000, 10000)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    reports.clear();
    EXPECT_LT(c.bytes.size(), 1200u);
    const std::uint64_t before = PictureBytesInUse();
    Bitmap out;
    const bool decoded = c.bytes[0] == 'B'   ? ReadBmp(c.bytes.data(), c.bytes.size(), out)
                         : c.bytes[0] == 0 ? ReadIco(c.bytes.data(), c.bytes.size(), out)
                                           : DecodeJpeg(c.bytes.data(), c.bytes.size(), out);
    EXPECT_FALSE(decoded);
    EXPECT_TRUE(out.Empty());
    EXPECT_EQ(PictureBytesInUse(), before);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("10000 x 10000"), std::string::npos) << reports[0];
  }
}

TEST_F(PictureBudgetTest, LoadingAFileNamesItInTheReport) {
  const std::string path = ::testing::TempDir() + "vemra-bomb.bmp";
  WriteBytes(path, RleBmpClaiming(11000, 9000));
  Picture holder;
  EXPECT_FALSE(LoadPictureToImage(holder, path));
  EXPECT_TRUE(holder.Empty());
  ASSERT_EQ(reports.size(), 1u);  // the content step does not try the same decoder again
  EXPECT_EQ(reports[0].rfind(path + ": bilden 11000 x 9000", 0), 0u) << reports[0];
}

TEST(JpegScaleEighths, SmallestScaleThatCoversTheBox) {
  struct Case {
    int width, height;
    DrawSize box;
    int eighths;
  } cases[] = {
      {800, 600, {}, 8},                    // no box: the whole picture
      {800, 600, {100, 75}, 1},
      {800, 600, {101, 75}, 1},             // fitted: the height decides
      {800, 600, {101, 75, false}, 2},      // stretched: both sides must cover
      {800, 600, {400, 300}, 4},
      {800, 600, {401, 300}, 4},
      {800, 600, {401, 301}, 5},
      {800, 600, {2000, 10}, 1},            // a thin box takes a thin picture
      {800, 600, {2000, 10, false}, 8},     // larger than the picture: never enlarged by us
      {10000, 10000, {300, 400}, 1},
      {7, 5, {1, 1}, 2},                    // 7/8 of a pixel would not cover one
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.box.width) + "x" + std::to_string(c.box.height));
    EXPECT_EQ(JpegScaleEighths(c.width, c.height, c.box), c.eighths);
  }
}

TEST(DecodeJpeg, DecodesAtTheScaleOfTheBox) {
  std::vector<std::uint8_t> jpeg;
  ASSERT_TRUE(EncodeJpeg(Filled(64, 48, 0x2080C0), 90, jpeg));
  struct Case {
    DrawSize box;
    int width, height;
  } cases[] = {{{}, 64, 48}, {{16, 12}, 16, 12}, {{17, 12}, 16, 12}, {{17, 12, false}, 24, 18},
               {{30, 40}, 32, 24}, {{64, 48}, 64, 48}, {{500, 500}, 64, 48}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.box.width) + "x" + std::to_string(c.box.height));
    Bitmap out;
    ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), out, c.box));
    EXPECT_EQ(out.Width(), c.width);
    EXPECT_EQ(out.Height(), c.height);
    const ColourValue middle = PixelAt(out, out.Width() / 2, out.Height() / 2);
    EXPECT_NEAR(RedOf(middle), 0xC0, 3);
    EXPECT_NEAR(BlueOf(middle), 0x20, 3);
  }
}

}  // namespace
}  // namespace vemra::test
