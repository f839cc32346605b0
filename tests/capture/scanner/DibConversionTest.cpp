#include "capture/scanner/DibConversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "capture/scanner/ScanMessages.h"

namespace vemra {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint32_t v) { b.push_back(std::uint8_t(v)), b.push_back(std::uint8_t(v >> 8)); }
void Put32(Bytes& b, std::uint32_t v) { Put16(b, v), Put16(b, v >> 16); }

// A packed bitmap as a scanner hands it over: info header, masks, colour
// table, then rows padded to four bytes in the given byte values.
struct Dib {
  std::int32_t width = 2, height = 2;
  int bits = 24;
  std::uint32_t compression = 0, used = 0, sizeImage = 0;
  std::vector<std::uint32_t> masks;    // written after the header
  std::vector<std::uint32_t> colours;  // 0x00RRGGBB, written as blue, green, red, 0
  std::vector<Bytes> rows;             // in memory order, unpadded

  Bytes Pack() const {
    Bytes b;
    Put32(b, 40), Put32(b, std::uint32_t(width)), Put32(b, std::uint32_t(height));
    Put16(b, 1), Put16(b, std::uint32_t(bits)), Put32(b, compression), Put32(b, sizeImage);
    Put32(b, 2835), Put32(b, 2835), Put32(b, used), Put32(b, 0);
    for (std::uint32_t m : masks) Put32(b, m);
    for (std::uint32_t c : colours) Put32(b, c);
    for (Bytes row : rows) {
      row.resize((row.size() + 3) / 4 * 4, 0);
      b.insert(b.end(), row.begin(), row.end());
    }
    return b;
  }
};

std::string Pixels(const Bitmap& b) {
  std::string all;
  char text[16];
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      const std::uint8_t* p = b.Row(y) + 3 * x;
      std::snprintf(text, sizeof text, "%s%02X%02X%02X", x ? " " : "", p[2], p[1], p[0]);
      all += text;
    }
    all += y + 1 < b.Height() ? "/" : "";
  }
  return all;
}

std::vector<std::uint32_t> Grey256() {
  std::vector<std::uint32_t> table;
  for (std::uint32_t i = 0; i < 256; ++i) table.push_back(i << 16 | i << 8 | i);
  return table;
}

struct Readable {
  const char* name;
  Dib dib;
  const char* pixels;  // RRGGBB per pixel, rows from the top
};

TEST(DibToBitmap, ReadsWhatScannersDeliver) {
  const Readable cases[] = {
      {"24 bits, bottom row first",
       {2, 2, 24, 0, 0, 0, {}, {}, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}},
       "090807 0C0B0A/030201 060504"},
      {"24 bits, top row first",
       {2, -2, 24, 0, 0, 0, {}, {}, {{1, 2, 3, 4, 5, 6}, {7, 8, 9, 10, 11, 12}}},
       "030201 060504/090807 0C0B0A"},
      {"8 bits, full grey table", {3, 1, 8, 0, 0, 0, {}, Grey256(), {{0, 128, 255}}},
       "000000 808080 FFFFFF"},
      {"8 bits, short table",
       {3, 1, 8, 0, 2, 0, {}, {0xFF0000, 0x0000FF}, {{1, 0, 1}}}, "0000FF FF0000 0000FF"},
      {"1 bit", {3, 2, 1, 0, 0, 0, {}, {0x102030, 0xF0E0D0}, {{0xA0}, {0x40}}},
       "102030 F0E0D0 102030/F0E0D0 102030 F0E0D0"},
      {"16 bits, 5-6-5 masks behind the header",
       {2, 1, 16, 3, 0, 0, {0xF800, 0x07E0, 0x001F}, {}, {{0x00, 0xF8, 0x1F, 0x00}}},
       "FF0000 0000FF"},
      {"32 bits", {1, 1, 32, 0, 0, 0, {}, {}, {{0x30, 0x20, 0x10, 0x00}}}, "102030"},
  };
  for (const Readable& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes bytes = c.dib.Pack();
    Bitmap picture;
    ASSERT_TRUE(DibToBitmap(bytes.data(), bytes.size(), picture));
    EXPECT_EQ(picture.Format(), PixelFormat::pf24bit);
    EXPECT_EQ(Pixels(picture), c.pixels);
  }
}

TEST(DibToBitmap, MemoryBlockLargerThanTheBitmapIsFine) {
  // Global memory blocks are rounded up; the spare bytes are no pixels.
  Dib dib{1, 1, 24, 0, 0, 0, {}, {}, {{1, 2, 3}}};
  Bytes bytes = dib.Pack();
  bytes.resize(bytes.size() + 13, 0xEE);
  Bitmap picture;
  ASSERT_TRUE(DibToBitmap(bytes.data(), bytes.size(), picture));
  EXPECT_EQ(Pixels(picture), "030201");
}

TEST(DibToBitmap, RefusesHeadersThatDoNotFitTheBlock) {
  const Dib good{2, 2, 8, 0, 2, 0, {}, {0, 0xFFFFFF}, {{0, 1}, {1, 0}}};
  struct Lie {
    const char* name;
    void (*spoil)(Bytes&);
  } lies[] = {
      {"header size beyond the block", [](Bytes& b) { b[0] = 0xFF, b[1] = 0xFF; }},
      {"header size of no known header", [](Bytes& b) { b[0] = 20; }},
      {"more colours than the depth has", [](Bytes& b) { b[32] = 0x01, b[33] = 0x01; }},
      {"colour table beyond the block", [](Bytes& b) { b[14] = 16, b[32] = 0, b[33] = 0x10; }},
      {"image size beyond the block", [](Bytes& b) { b[20] = 0xFF, b[21] = 0xFF; }},
      {"rows cut short", [](Bytes& b) { b.resize(b.size() - 4); }},
      {"more rows than sent", [](Bytes& b) { b[8] = 3; }},
      {"no width", [](Bytes& b) { b[4] = 0; }},
      {"wider than any picture", [](Bytes& b) { b[4] = 0, b[5] = 0, b[6] = 2; }},
      {"unknown depth", [](Bytes& b) { b[14] = 7; }},
      {"block smaller than a header", [](Bytes& b) { b.resize(11); }},
  };
  for (const Lie& lie : lies) {
    SCOPED_TRACE(lie.name);
    Bytes bytes = good.Pack();
    lie.spoil(bytes);
    Bitmap picture(1, 1);
    EXPECT_FALSE(DibToBitmap(bytes.data(), bytes.size(), picture));
    EXPECT_EQ(picture.Width(), 1);
  }
  Bitmap picture;
  EXPECT_FALSE(DibToBitmap(nullptr, 0, picture));
}

TEST(ScanFailureMessage, SaysWhatWentWrong) {
  EXPECT_EQ(ScanFailureMessage(0), "");
  EXPECT_EQ(ScanFailureMessage(kScanNoSource), "Misslyckades att öppna twainhanteraren.");
  EXPECT_EQ(ScanFailureMessage(3), "Misslyckades att hämta bild. (fel 3)");
  EXPECT_EQ(ScanFailureMessage(0x8000 + 4), "Misslyckades att hämta bild. (fel 32772)");
}

}  // namespace
}  // namespace vemra
