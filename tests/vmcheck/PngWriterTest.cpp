#include <gtest/gtest.h>

#include "PngWriter.h"

#ifdef VEMRA_HAVE_ZLIB
#include <zlib.h>
#endif

namespace vemra {
namespace {

std::uint32_t BigEndianAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 |
         std::uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
}

TEST(PngWriter, WritesSignatureHeaderAndTheKnownEndChunk) {
  const std::vector<std::uint8_t> png = EncodePng(Bitmap(3, 2));
  const std::vector<std::uint8_t> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  ASSERT_GT(png.size(), 45u);
  EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
  EXPECT_EQ(BigEndianAt(png, 8), 13u);
  EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
  EXPECT_EQ(BigEndianAt(png, 16), 3u);
  EXPECT_EQ(BigEndianAt(png, 20), 2u);
  EXPECT_EQ(png[24], 8);  // bits per sample
  EXPECT_EQ(png[25], 2);  // RGB
  // Every PNG ends with the same empty IEND chunk and its CRC.
  const std::vector<std::uint8_t> end{0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
  EXPECT_TRUE(std::equal(end.begin(), end.end(), png.end() - 12));
}

#ifdef VEMRA_HAVE_ZLIB
TEST(PngWriter, PixelsInflateBackAsRgbRows) {
  Bitmap picture(2, 70000 / 7);  // more than one stored block of 65535 bytes
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < 2; ++x) {
      std::uint8_t* p = picture.Row(y) + 3 * x;
      p[0] = std::uint8_t(y), p[1] = std::uint8_t(x), p[2] = 200;  // blue, green, red
    }
  const std::vector<std::uint8_t> png = EncodePng(picture);
  const std::size_t idat = 8 + 25;
  ASSERT_EQ(std::string(png.begin() + idat + 4, png.begin() + idat + 8), "IDAT");
  const std::uint32_t size = BigEndianAt(png, idat);
  std::vector<std::uint8_t> raw(std::size_t(picture.Height()) * 7);
  uLongf rawSize = raw.size();
  ASSERT_EQ(uncompress(raw.data(), &rawSize, png.data() + idat + 8, size), Z_OK);
  ASSERT_EQ(rawSize, raw.size());
  const std::size_t row = 9999 * 7;
  EXPECT_EQ(raw[row], 0);        // no filter
  EXPECT_EQ(raw[row + 1], 200);  // red first
  EXPECT_EQ(raw[row + 2], 0);
  EXPECT_EQ(raw[row + 3], std::uint8_t(9999));
  EXPECT_EQ(raw[row + 5], 1);  // green of the second pixel
}
#endif

}  // namespace
}  // namespace vemra
