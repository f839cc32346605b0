// The renderer drawing through GDI: where real glyphs, blends and pictures
// land on a preview picture.
#include "layout/render/win32/GdiCanvas.h"

#include <gtest/gtest.h>

#include "base/FileSystem.h"
#include "base/RegionalFormats.h"
#include "layout/render/LayoutRenderer.h"
#include "layout/render/PixelRounding.h"
#include "layout/render/win32/GdiRenderHooks.h"

namespace vemra {
namespace {

constexpr ColourValue kWhite = 0xFFFFFF;

ColourValue At(const Bitmap& b, int x, int y) {
  const std::uint8_t* p = b.Row(y) + 3 * x;
  return MakeColour(p[2], p[1], p[0]);
}

// Bounds of the pixels inside `area` darker than `threshold` in green.
PixelRect Ink(const Bitmap& b, const PixelRect& area, int threshold = 128) {
  PixelRect r{area.right, area.bottom, area.left, area.top};
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (GreenOf(At(b, x, y)) < threshold)
        r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1),
             std::max(r.bottom, y + 1)};
  return r;
}

int Darkest(const Bitmap& b, const PixelRect& area) {
  int darkest = 255;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) darkest = std::min(darkest, GreenOf(At(b, x, y)));
  return darkest;
}

class RendererGdi : public ::testing::Test {
 protected:
  void SetUp() override {
    BindWin32RenderHooks(env, nullptr);
    renderer.BeginJob(preview, OutputKind::Preview, 1.0);
  }
  // Millimetres to the preview's pixels.
  int Px(double mm) const { return RoundHalfEven(mm * renderer.PixelsPerMmX()); }

  const Bitmap& Draw(std::initializer_list<std::string> records) {
    LayoutList list{"typcsz\twid85,6\thei54"};
    list.insert(list.end(), records);
    renderer.DrawLayoutList(list, 0, 0, 0);
    return preview.Pixels();
  }

  SwedishFormats formats;
  FieldList fields;
  PictureStore store;
  std::unique_ptr<FileSystem> files = MakePortableFileSystem();
  Picture photo, signature;
  RenderEnvironment env{.fields = fields, .formats = formats, .files = *files, .store = store,
                        .photo = &photo, .signature = &signature};
  LayoutRenderer renderer{env};
  GdiBitmapCanvas preview{600, 400};
};

TEST_F(RendererGdi, TurnedTextsStayInTheirBoxes) {
  for (const char* ang : {"0", "90", "180", "270"}) {
    SCOPED_TRACE(ang);
    SetUp();
    preview.FillRect({0, 0, 600, 400}, kWhite);
    // A square box, so that every turn has room for the text.
    const Bitmap& b = Draw({std::string("typftx\tlft10\ttop10\twid40\thei40\tfnmArial\tfsz5\t"
                                        "datVEMRA\tang") + ang});
    const PixelRect box{Px(10), Px(10), Px(50), Px(50)};
    const PixelRect everywhere{0, 0, 600, 400};
    const PixelRect ink = Ink(b, everywhere);
    ASSERT_LT(ink.left, ink.right) << "nothing drawn";
    EXPECT_GE(ink.left, box.left - 1);
    EXPECT_GE(ink.top, box.top - 1);
    EXPECT_LE(ink.right, box.right + 1);
    EXPECT_LE(ink.bottom, box.bottom + 1);
    // Turned by a quarter the text is taller than wide.
    const bool across = ang[0] == '9' || ang[0] == '2';
    EXPECT_EQ(ink.Height() > ink.Width(), across);
  }
}

TEST_F(RendererGdi, TextOpacityBlendsWithTheCard) {
  struct Case {
    const char* opa;
    int darkestAtLeast, darkestAtMost;
  } cases[] = {{"100", 0, 60}, {"50", 100, 150}, {"0", 255, 255}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.opa);
    SetUp();
    preview.FillRect({0, 0, 600, 400}, kWhite);
    const Bitmap& b = Draw({std::string("typftx\tlft10\ttop10\twid60\thei15\tfnmArial\tfsz10\t"
                                        "fst1\tdatMMM\topa") + c.opa});
    const int darkest = Darkest(b, {0, 0, 600, 400});
    EXPECT_GE(darkest, c.darkestAtLeast);
    EXPECT_LE(darkest, c.darkestAtMost);
  }
}

TEST_F(RendererGdi, ShapeOpacityMixesWithWhatLiesUnder) {
  const Bitmap& b = Draw({"typshp\tlft0\ttop0\twid80\thei50\tbcl16711680\tpcl-1",
                          "typshp\tlft10\ttop10\twid20\thei10\tbcl255\tpcl-1\topa50",
                          "typshp\tlft40\ttop10\twid20\thei10\tbcl255\tpcl-1\topa0"});
  const ColourValue mixed = At(b, Px(20), Px(15));
  EXPECT_NEAR(RedOf(mixed), 128, 2);
  EXPECT_NEAR(BlueOf(mixed), 127, 2);
  EXPECT_EQ(At(b, Px(50), Px(15)), MakeColour(0, 0, 255));
}

TEST_F(RendererGdi, PhotoIsCentredInItsBox) {
  Bitmap red(200, 100);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) red.Row(y)[3 * x + 2] = 255;
  photo.SetBitmap(red);
  const Bitmap& b = Draw({"typpho\tlft10\ttop10\twid30\thei30\tposCenter"});
  const int left = Px(10), top = Px(10), side = Px(30);
  EXPECT_EQ(At(b, left + side / 2, top + side / 2), MakeColour(255, 0, 0));
  EXPECT_EQ(At(b, left + side / 2, top + 2), kWhite);
  EXPECT_EQ(At(b, left + side / 2, top + side - 2), kWhite);
}

}  // namespace
}  // namespace vemra
