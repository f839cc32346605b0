#include <gtest/gtest.h>

#include "imaging/PictureBudget.h"
#include "imaging/PictureCodecs.h"
#include "layout/file/EmbeddedPictures.h"
#include "layout/file/LayoutContainerWriter.h"
#include "layout/file/LayoutFile.h"
#include "layout/file/MetafileHeader.h"

namespace vemra {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}
void Put16(Bytes& b, std::size_t at, std::uint16_t v) {
  b[at] = std::uint8_t(v);
  b[at + 1] = std::uint8_t(v >> 8);
}

// An EMF header whose frame is 25.4 x 12.7 mm: 96 x 48 screen pixels.
Bytes EmfHeader() {
  Bytes b(108);
  Put32(b, 0, 1);
  Put32(b, 4, 108);
  Put32(b, 32, 2540);
  Put32(b, 36, 1270);
  Put32(b, 40, 0x464D4520);
  return b;
}

// A placeable WMF of 2 x 1 inches at 1440 units per inch.
Bytes PlaceableWmf() {
  Bytes b(40);
  Put32(b, 0, 0x9AC6CDD7);
  Put16(b, 10, 2880);
  Put16(b, 12, 1440);
  Put16(b, 14, 1440);
  Put16(b, 22, 1);
  Put16(b, 24, 9);
  return b;
}

class FakeFallback final : public MetafileFallback {
 public:
  bool Load(const Bytes& bytes, const std::string& extension, Picture& holder) override {
    calls.push_back(extension + ":" + std::to_string(bytes.size()));
    holder.SetMetafile({});
    return true;
  }
  std::vector<std::string> calls;
};

TEST(LoadEmbeddedPicture, DecodesByTheNamesExtension) {
  Bitmap bitmap(4, 3);
  bitmap.Row(1)[0] = 200;
  Bytes jpeg, bmp;
  ASSERT_TRUE(EncodeJpeg(bitmap, 90, jpeg));
  ASSERT_TRUE(WriteBmp(bitmap, bmp));
  const std::string layout = "typcsz\ntypfim\tdatA.JPG\ntypfim\tdatb.jpeg\ntypfim\tdatc.Bmp\n"
                             "typfim\tdatd.emf\ntypfim\tdate.wmf\ntypfim\tdatf.png\ntypfim\tdatg.jpg";
  auto container = WriteLayoutContainer(
      layout, {{"a.jpg", jpeg}, {"b.jpeg", jpeg}, {"c.bmp", bmp}, {"d.emf", EmfHeader()},
               {"e.wmf", PlaceableWmf()}, {"f.png", bmp}, {"g.jpg", bmp}});
  PictureStore store;
  LayoutList list;
  LoadLayoutBytes(container.data(), container.size(), list, store);
  struct Case { const char* name; bool loaded; int width, height; bool metafile; } cases[] = {
      {"a.jpg", true, 4, 3, false},   {"B.JPEG", true, 4, 3, false},
      {"c.bmp", true, 4, 3, false},   {"d.emf", true, 96, 48, true},
      {"e.wmf", true, 192, 96, true}, {"f.png", false, 0, 0, false},
      {"g.jpg", false, 0, 0, false},  // BMP bytes under a JPEG name
  };
  for (const auto& c : cases) {
    Picture holder;
    ASSERT_TRUE(FindEmbeddedPicture(store, c.name)) << c.name;
    EXPECT_EQ(LoadEmbeddedPicture(store, holder, c.name), c.loaded) << c.name;
    if (!c.loaded) continue;
    if (c.metafile) {
      ASSERT_TRUE(holder.AsMetafile()) << c.name;
      EXPECT_EQ(holder.AsMetafile()->widthPixels, c.width) << c.name;
      EXPECT_EQ(holder.AsMetafile()->heightPixels, c.height) << c.name;
    } else {
      ASSERT_TRUE(holder.AsBitmap()) << c.name;
      EXPECT_EQ(holder.AsBitmap()->Width(), c.width) << c.name;
      EXPECT_EQ(holder.AsBitmap()->Format(), PixelFormat::pf24bit) << c.name;
    }
  }
}

TEST(LoadEmbeddedPicture, GivesRejectedMetafilesToThePlatformOnly) {
  PictureStore store;
  Bytes plainWmf(18, 1);
  store.Add("plain.wmf", plainWmf.data(), plainWmf.size());
  ASSERT_TRUE(FindEmbeddedPicture(store, "plain.wmf"));
  Picture holder;
  EXPECT_FALSE(LoadEmbeddedPicture(store, holder, "plain.wmf"));
  FakeFallback fallback;
  EXPECT_TRUE(LoadEmbeddedPicture(store, holder, "plain.wmf", &fallback));
  EXPECT_EQ(fallback.calls, std::vector<std::string>{".wmf:18"});
  EXPECT_FALSE(FindEmbeddedPicture(store, "none.jpg"));
  EXPECT_FALSE(LoadEmbeddedPicture(store, holder, "none.jpg", &fallback));  // empty buffer
}

// A refusal names the picture, not only the layout record drawing it.
TEST(LoadEmbeddedPicture, PicturesTooLargeToHoldAreRefusedByName) {
  Bytes bmp;
  ASSERT_TRUE(WriteBmp(Bitmap(40, 40), bmp));
  PictureStore store;
  store.Add("logga.bmp", bmp.data(), bmp.size());
  ASSERT_TRUE(FindEmbeddedPicture(store, "logga.bmp"));
  std::vector<std::string> reports;
  SetPictureBudgetReport([&](const std::string& m) { reports.push_back(m); });
  {
    const ScopedPictureBudget small(1000, 1000);
    Picture holder;
    EXPECT_FALSE(LoadEmbeddedPicture(store, holder, "logga.bmp"));
  }
  SetPictureBudgetReport(nullptr);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].rfind("logga.bmp: ", 0), 0u) << reports[0];
}

TEST(ReadMetafileHeader, RejectsShortAndForeignHeaders) {
  Metafile metafile;
  auto emf = EmfHeader();
  EXPECT_FALSE(ReadMetafileHeader(emf.data(), 87, metafile));
  emf[40] = 0;
  EXPECT_FALSE(ReadMetafileHeader(emf.data(), emf.size(), metafile));
  auto wmf = PlaceableWmf();
  Put16(wmf, 14, 0);  // zero units per inch
  EXPECT_FALSE(ReadMetafileHeader(wmf.data(), wmf.size(), metafile));
  EXPECT_FALSE(ReadMetafileHeader(wmf.data(), 39, metafile));
}

}  // namespace
}  // namespace vemra
