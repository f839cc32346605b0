#include <gtest/gtest.h>

#include "CheckFixture.h"
#include "DrawnChecks.h"
#include "PngWriter.h"
#include "ProblemReport.h"
#include "ToolPlatform.h"
#include "layout/render/win32/GdiCanvas.h"
#include "win32/ProofPicture.h"

namespace vemra {
namespace {

bool IsRed(const Bitmap& picture, int x, int y) {
  const std::uint8_t* p = picture.Row(y) + 3 * x;  // blue, green, red
  return p[2] > 180 && p[1] < 80 && p[0] < 80;
}

int RedIn(const Bitmap& picture, const PixelRect& area) {
  int count = 0;
  for (int y = std::max(0, area.top); y < std::min(picture.Height(), area.bottom); ++y)
    for (int x = std::max(0, area.left); x < std::min(picture.Width(), area.right); ++x)
      count += IsRed(picture, x, y);
  return count;
}

class ProofPictureTest : public CheckFixture {
 protected:
  void SetUp() override {
    CheckFixture::SetUp();
    measure = MakeTextMeasure();  // GDI's, as the printer measures
    bindHooks = platform.bindPictureHooks;
  }
  ToolPlatform platform = MakeToolPlatform();
};

TEST_F(ProofPictureTest, PlantedOverflowIsOutlinedInRedAndNothingElseIsRed) {
  const CheckResult result = Check(
      "typcsz\twid85,6\thei54\r\n"
      "typftx\tlft10\ttop20\twid15\thei5\tfnmArial\tfsz4\tcol0\tdatEn alldeles f\xf6r "
      "l\xe5ng text\r\n");
  ASSERT_EQ(result.problems.size(), 1u) << TextReport(result.problems);
  ASSERT_EQ(result.problems[0].key, "wid");

  const Bitmap proof = RenderProof(result, formats, *files, bindHooks);
  WritePngFile("vmcheck-proof-overflow.png", proof);
  ASSERT_EQ(proof.Width(), 1011);  // 85.6 mm at 300 dpi
  ASSERT_EQ(proof.Height(), 638);

  const PixelRect box = PrinterBox(*result.problems[0].box);
  // The outline stands a few pixels off the box, its number above it.
  const int reach = 12;
  const PixelRect around{box.left - reach, box.top - reach - 48, box.right + reach, box.bottom + reach};
  EXPECT_EQ(RedIn(proof, {0, 0, proof.Width(), proof.Height()}), RedIn(proof, around));
  EXPECT_GT(RedIn(proof, {box.left - reach, box.top, box.left, box.bottom}), 0);
  EXPECT_GT(RedIn(proof, {box.right, box.top, box.right + reach, box.bottom}), 0);
  EXPECT_GT(RedIn(proof, {box.left, box.top - reach, box.right, box.top}), 0);
  EXPECT_GT(RedIn(proof, {box.left, box.bottom, box.right, box.bottom + reach}), 0);
  EXPECT_GT(RedIn(proof, {box.left - reach, box.top - reach - 48, box.right, box.top - reach}), 0)
      << "the problem's number";
  EXPECT_EQ(RedIn(proof, box), 0) << "the box itself stays as drawn";
}

TEST_F(ProofPictureTest, SheetShowsTheCardsAtTheirPlacesBelowFrontAndBack) {
  Write("ark.cpm",
        "typcsz\twid100\thei100\r\n"
        "typcrd\tlft10\ttop10\twid20\thei10\r\n"
        "typcrd\tlft10\ttop50\twid20\thei10\ttpeb\r\n");
  Write("kort_bak.cpc", "typcsz\twid20\thei10\r\n"
                        "typshp\tlft0\ttop0\twid20\thei10\tknd0\tbcl0\tpcl-1\r\n");
  const CheckResult result =
      Check("typcsz\twid20\thei10\tbakkort_bak\tmalark\r\n"
            "typshp\tlft0\ttop0\twid20\thei10\tknd0\tbcl0\tpcl-1\r\n");
  ASSERT_TRUE(result.problems.empty()) << TextReport(result.problems);
  const Bitmap proof = RenderProof(result, formats, *files, bindHooks);
  WritePngFile("vmcheck-proof-sheet.png", proof);
  // 20 x 10 mm cards (236 x 118), then the 100 mm sheet (1181).
  ASSERT_EQ(proof.Width(), 1181);
  ASSERT_EQ(proof.Height(), 118 + 40 + 118 + 40 + 1181);
  const int sheetTop = 2 * (118 + 40);
  // Black where a card stands on the sheet (millimetres on the sheet).
  auto black = [&](double x, double y) {
    const PixelRect at = PrinterBox({x, y, 0, 0});
    return proof.Row(sheetTop + at.top)[3 * at.left] < 40;
  };
  EXPECT_TRUE(black(15, 15)) << "the front";
  EXPECT_TRUE(black(15, 55)) << "the back";
  EXPECT_FALSE(black(15, 35));
}

TEST_F(ProofPictureTest, DemoCardIsCleanWithGdiMeasuresAndShowsFrontAboveBack) {
  const CheckResult result = CheckLayout({std::string(VEMRA_DEMO) + "/vemraeu.cpb", VEMRA_DEMO, ""},
                                         {*files, formats, *measure, bindHooks});
  EXPECT_TRUE(result.problems.empty()) << TextReport(result.problems);
  const Bitmap proof = RenderProof(result, formats, *files, bindHooks);
  WritePngFile("vmcheck-proof-vemraeu.png", proof);
  EXPECT_EQ(proof.Width(), 1011);
  EXPECT_EQ(proof.Height(), 638 + 40 + 638);
  EXPECT_EQ(RedIn(proof, {0, 0, proof.Width(), proof.Height()}), 0);
}

}  // namespace
}  // namespace vemra
