#include "imaging/PictureCodecs.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "imaging/ImagingTestUtil.h"

namespace vemra {
namespace {

using test::DataPath;
using test::FileBytes;

struct BmpFixture {
  const char* file;
  const char* expected;
  PixelFormat format;
  int tolerance = 0;  // 6-bit green cannot hold every 8-bit value
};

void PrintTo(const BmpFixture& f, std::ostream* os) { *os << f.file; }

class ReadBmpFixtures : public ::testing::TestWithParam<BmpFixture> {};

TEST_P(ReadBmpFixtures, PixelsMatchTheSourcePattern) {
  const BmpFixture& f = GetParam();
  const auto bytes = FileBytes(DataPath(f.file));
  ASSERT_FALSE(bytes.empty()) << f.file;
  Bitmap bitmap;
  ASSERT_TRUE(ReadBmp(bytes.data(), bytes.size(), bitmap)) << f.file;
  EXPECT_EQ(bitmap.Format(), f.format) << f.file;
  EXPECT_TRUE(test::SamePixels(bitmap, test::ReadPpm(DataPath(f.expected)), f.tolerance)) << f.file;
}

INSTANTIATE_TEST_SUITE_P(
    EveryDepthAndRowOrder, ReadBmpFixtures,
    ::testing::Values(
        BmpFixture{"bits1.bmp", "pattern2.ppm", PixelFormat::pf1bit},
        BmpFixture{"bits1-topdown.bmp", "pattern2.ppm", PixelFormat::pf1bit},
        BmpFixture{"bits4.bmp", "pattern16.ppm", PixelFormat::pf4bit},
        BmpFixture{"bits4-topdown.bmp", "pattern16.ppm", PixelFormat::pf4bit},
        BmpFixture{"bits8.bmp", "pattern27.ppm", PixelFormat::pf8bit},
        BmpFixture{"bits8-topdown.bmp", "pattern27.ppm", PixelFormat::pf8bit},
        BmpFixture{"bits8-rle.bmp", "pattern27.ppm", PixelFormat::pf8bit},
        BmpFixture{"bits16.bmp", "pattern27.ppm", PixelFormat::pf16bit},
        BmpFixture{"bits16-topdown.bmp", "pattern27.ppm", PixelFormat::pf16bit},
        BmpFixture{"bits16-565.bmp", "pattern27.ppm", PixelFormat::pf24bit, 2},
        BmpFixture{"bits24.bmp", "pattern27.ppm", PixelFormat::pf24bit},
        BmpFixture{"bits24-topdown.bmp", "pattern27.ppm", PixelFormat::pf24bit},
        BmpFixture{"bits24-os2.bmp", "pattern27.ppm", PixelFormat::pf24bit},
        BmpFixture{"bits32.bmp", "pattern27.ppm", PixelFormat::pf32bit},
        BmpFixture{"bits32-topdown.bmp", "pattern27.ppm", PixelFormat::pf32bit}),
    [](const auto& info) {  // the file's name, letters and digits only
      std::string name;
      for (const char* c = info.param.file; *c && *c != '.'; ++c)
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
      return name;
    });

TEST(WriteBmp, EveryFormatReadsBackUnchanged) {
  for (PixelFormat format : {PixelFormat::pf1bit, PixelFormat::pf4bit, PixelFormat::pf8bit,
                             PixelFormat::pf16bit, PixelFormat::pf24bit, PixelFormat::pf32bit}) {
    Bitmap picture = test::ReadPpm(DataPath("pattern27.ppm"));
    picture.SetPixelFormat(format);
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(WriteBmp(picture, file)) << BitsPerPixel(format);
    Bitmap back;
    ASSERT_TRUE(ReadBmp(file.data(), file.size(), back)) << BitsPerPixel(format);
    EXPECT_EQ(back.Format(), format);
    EXPECT_TRUE(test::SamePixels(back, picture)) << BitsPerPixel(format);
  }
}

// Every damaged header is a failed load and leaves the target alone.
TEST(ReadBmp, RejectsDamagedFiles) {
  const auto good = FileBytes(DataPath("bits24.bmp"));
  auto patched = [&](std::size_t at, std::uint32_t value, int bytes = 4) {
    auto copy = good;
    for (int i = 0; i < bytes; ++i) copy[at + i] = std::uint8_t(value >> (8 * i));
    return copy;
  };
  const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
      {"truncated pixels", {good.begin(), good.end() - 10}},
      {"only the file header", {good.begin(), good.begin() + 14}},
      {"pixel offset past end", patched(10, 0xFFFFFFF0)},
      {"header size past end", patched(14, 0x7FFFFFFF)},
      {"zero width", patched(18, 0)},
      {"negative width", patched(18, 0xFFFFFFFF)},
      {"width times height overflows", patched(18, 0x7FFFFFFF)},
      {"height of INT_MIN", patched(22, 0x80000000)},
      {"absurd pixel count", [&] { auto c = patched(18, 30000); c[22] = 0x30, c[23] = 0x75; return c; }()},
      {"unknown depth", patched(28, 7, 2)},
      {"unknown compression", patched(30, 9)},
      {"not BM", patched(0, 'X', 1)},
  };
  for (const auto& [name, bytes] : cases) {
    Bitmap target(2, 2);
    EXPECT_FALSE(ReadBmp(bytes.data(), bytes.size(), target)) << name;
    EXPECT_EQ(target.Width(), 2) << name;
  }
  Bitmap target;
  EXPECT_FALSE(ReadBmp(nullptr, 0, target));
}

TEST(ReadBmp, PaletteLongerThanTheFileIsRejected) {
  auto bytes = FileBytes(DataPath("bits8.bmp"));
  bytes.resize(14 + 40 + 100);  // palette cut short
  Bitmap target;
  EXPECT_FALSE(ReadBmp(bytes.data(), bytes.size(), target));
}

bool IsBaselineJfif(const std::vector<std::uint8_t>& jpeg) {
  if (jpeg.size() < 11 || std::memcmp(jpeg.data(), "\xFF\xD8\xFF\xE0", 4) != 0 ||
      std::memcmp(jpeg.data() + 6, "JFIF", 5) != 0)
    return false;
  for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] >= 0xC1 && jpeg[i + 1] <= 0xCF && jpeg[i + 1] != 0xC4 &&
        jpeg[i + 1] != 0xC8 && jpeg[i + 1] != 0xCC)
      return false;  // a non-baseline start-of-frame
  return true;
}

// An icon file of one 24-bit picture per (width, height), every pixel
// (x * 40, y * 40, 200), the top-left pixel masked out.
std::vector<std::uint8_t> IconFile(const std::vector<std::pair<int, int>>& sizes) {
  std::vector<std::uint8_t> out = {0, 0, 1, 0, std::uint8_t(sizes.size()), 0};
  auto put = [](std::vector<std::uint8_t>& v, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) v.push_back(std::uint8_t(value >> (8 * i)));
  };
  std::vector<std::vector<std::uint8_t>> dibs;
  for (auto [w, h] : sizes) {
    std::vector<std::uint8_t> dib;
    put(dib, 40, 4), put(dib, w, 4), put(dib, 2 * h, 4), put(dib, 1, 2), put(dib, 24, 2);
    for (int i = 0; i < 6; ++i) put(dib, 0, 4);
    const int colourStride = (w * 3 + 3) / 4 * 4, maskStride = (w + 31) / 32 * 4;
    for (int row = h - 1; row >= 0; --row) {  // bottom-up
      for (int x = 0; x < w; ++x) dib.insert(dib.end(), {200, std::uint8_t(row * 40), std::uint8_t(x * 40)});
      dib.resize(dib.size() + colourStride - w * 3);
    }
    for (int row = h - 1; row >= 0; --row) {
      dib.resize(dib.size() + maskStride);
      if (row == 0) dib[dib.size() - maskStride] = 0x80;
    }
    dibs.push_back(dib);
  }
  std::uint32_t offset = std::uint32_t(6 + 16 * sizes.size());
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    out.insert(out.end(), {std::uint8_t(sizes[i].first), std::uint8_t(sizes[i].second), 0, 0});
    put(out, 1, 2), put(out, 24, 2), put(out, std::uint32_t(dibs[i].size()), 4), put(out, offset, 4);
    offset += std::uint32_t(dibs[i].size());
  }
  for (const auto& dib : dibs) out.insert(out.end(), dib.begin(), dib.end());
  return out;
}

TEST(ReadIco, LargestPictureWithItsMaskedPixelsWhite) {
  const auto bytes = IconFile({{2, 2}, {5, 3}});
  Bitmap icon;
  ASSERT_TRUE(ReadIco(bytes.data(), bytes.size(), icon));
  ASSERT_EQ(icon.Width(), 5);
  ASSERT_EQ(icon.Height(), 3);
  EXPECT_EQ(icon.Format(), PixelFormat::pf24bit);
  const std::uint8_t* masked = icon.Row(0);
  EXPECT_EQ(std::vector<int>(masked, masked + 3), (std::vector<int>{255, 255, 255}));
  const std::uint8_t* pixel = icon.Row(2) + 3 * 4;
  EXPECT_EQ(std::vector<int>(pixel, pixel + 3), (std::vector<int>{200, 80, 160}));
}

TEST(ReadIco, RejectsDamagedFiles) {
  const auto good = IconFile({{4, 4}});
  auto patched = [&](std::size_t at, std::uint8_t value) {
    auto copy = good;
    copy[at] = value;
    return copy;
  };
  const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
      {"empty", {}},
      {"a cursor, not an icon", patched(2, 2)},
      {"no pictures", patched(4, 0)},
      {"entry past the end", patched(21, 0x7F)},
      {"truncated", {good.begin(), good.begin() + 30}},
      {"a PNG picture", patched(22, 0x89)},
  };
  for (const auto& [name, bytes] : cases) {
    Bitmap target;
    EXPECT_FALSE(ReadIco(bytes.data(), bytes.size(), target)) << name;
  }
}

TEST(EncodeJpeg, RoundTripIsCloseAndBaselineJfif) {
  const Bitmap picture = test::Gradient(40, 30);
  std::vector<std::uint8_t> jpeg;
  ASSERT_TRUE(EncodeJpeg(picture, 95, jpeg));
  EXPECT_TRUE(IsBaselineJfif(jpeg));
  Bitmap back;
  ASSERT_TRUE(DecodeJpeg(jpeg.data(), jpeg.size(), back));
  EXPECT_EQ(back.Format(), PixelFormat::pf24bit);
  EXPECT_TRUE(test::SamePixels(back, picture, 12));
}

TEST(EncodeJpeg, LowerQualityGivesSmallerFiles) {
  const Bitmap picture = test::Gradient(64, 64);
  std::vector<std::uint8_t> low, high;
  ASSERT_TRUE(EncodeJpeg(picture, 10, low));
  ASSERT_TRUE(EncodeJpeg(picture, 90, high));
  EXPECT_LT(low.size(), high.size());
}

TEST(EncodeJpeg, IndexedPicturesAreConvertedAndEmptyOnesRefused) {
  Bitmap indexed = test::ReadPpm(DataPath("pattern16.ppm"));
  indexed.SetPixelFormat(PixelFormat::pf4bit);
  std::vector<std::uint8_t> jpeg;
  EXPECT_TRUE(EncodeJpeg(indexed, 75, jpeg));
  EXPECT_FALSE(EncodeJpeg(Bitmap(), 75, jpeg));
}

#ifndef _WIN32
// ImageMagick estimates the quality from the quantisation tables.
TEST(EncodeJpeg, ImageMagickReadsTheAskedQuality) {
  const std::string path = ::testing::TempDir() + "quality.jpg";
  for (int quality : {30, 75, 92}) {
    std::vector<std::uint8_t> jpeg;
    ASSERT_TRUE(EncodeJpeg(test::Gradient(64, 48), quality, jpeg));
    test::WriteBytes(path, jpeg);
    FILE* pipe = popen(("identify -format '%Q %[jpeg:sampling-factor]' " + path).c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char text[64] = {};
    const std::size_t n = std::fread(text, 1, sizeof text - 1, pipe);
    pclose(pipe);
    EXPECT_EQ(std::string(text, n), std::to_string(quality) + " 2x2,1x1,1x1");
  }
}
#endif

TEST(DecodeJpeg, RejectsDamagedData) {
  std::vector<std::uint8_t> jpeg;
  ASSERT_TRUE(EncodeJpeg(test::Gradient(64, 64), 80, jpeg));
  auto garbled = jpeg;
  for (std::size_t i = 20; i < 200; ++i) garbled[i] = std::uint8_t(i * 31);
  const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
      {"truncated after the header", {jpeg.begin(), jpeg.begin() + jpeg.size() / 2}},
      {"start of image only", {0xFF, 0xD8}},
      {"tables garbled", garbled},
      {"not a JPEG", {'B', 'M', 0, 0, 0, 0}},
  };
  for (const auto& [name, bytes] : cases) {
    Bitmap target(3, 3);
    EXPECT_FALSE(DecodeJpeg(bytes.data(), bytes.size(), target)) << name;
    EXPECT_EQ(target.Width(), 3) << name;
  }
  Bitmap target;
  EXPECT_FALSE(DecodeJpeg(nullptr, 0, target));
}

TEST(DecodeJpeg, SamplePhotoDecodesAtItsSize) {
  const auto bytes = FileBytes(std::string(VEMRA_SAMPLES) + "/portrait.jpg");
  Bitmap photo;
  ASSERT_TRUE(DecodeJpeg(bytes.data(), bytes.size(), photo));
  EXPECT_EQ(photo.Width(), 512);
  EXPECT_EQ(photo.Height(), 512);
}

}  // namespace
}  // namespace vemra
