// Pictures on their way to the output: decoded no larger than their box
// needs, shrunk before the device when far larger, and records whose
// pictures the budget cannot hold skipped with one report.
#include "layout/RendererFixture.h"

#include "imaging/PictureBudget.h"

namespace vemra {
namespace {

class BudgetRenderer : public RendererTest {
 protected:
  BudgetRenderer() {
    SetPictureBudgetReport([this](const std::string& m) { reports.push_back(m); });
  }
  ~BudgetRenderer() override { SetPictureBudgetReport(nullptr); }
  std::vector<std::string> reports;
};

TEST_F(BudgetRenderer, PicturesAreLoadedForTheBoxTheyFill) {
  struct Case {
    const char* extra;
    DrawSize box;
  } cases[] = {
      {"", {100, 50, true}},
      {"\tang90", {50, 100, true}},    // turned after loading
      {"\tang270", {50, 100, true}},
      {"\tang180", {100, 50, true}},
      {"\trat0", {100, 50, false}},    // stretched over the box
      {"\ttrp1", {100, 50, false}},    // effects work on the box-sized picture
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.extra);
    DrawSize asked{-1, -1};
    env.loadPictureToImage = [&](Picture& holder, const std::string&, const DrawSize& box) {
      asked = box;
      holder.SetBitmap(FilledBitmap(40, 20, 0x00FF00));
      return true;
    };
    Begin(kTenPerMm);
    Draw(Card({std::string("typfim\tlft0\ttop0\twid10\thei5\tdatlogo.bmp") + c.extra}));
    EXPECT_EQ(asked.width, c.box.width);
    EXPECT_EQ(asked.height, c.box.height);
    EXPECT_EQ(asked.keepAspect, c.box.keepAspect);
  }
}

TEST_F(BudgetRenderer, FarLargerPicturesAreShrunkToTheirBoxFirst) {
  struct Case {
    int width, height;
    bool transparent;
    int drawnWidth, drawnHeight;
  } cases[] = {
      {200, 160, false, 200, 160},   // at most twice the box: the device scales
      {1000, 800, false, 100, 80},   // fitted into 100 x 100
      {1000, 800, true, 100, 80},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + (c.transparent ? " transparent" : ""));
    Bitmap picture = FilledBitmap(c.width, c.height, 0x2080C0);
    picture.transparent = c.transparent;
    picture.transparentColour = 0xFFFFFF;
    photo.SetBitmap(std::move(picture));
    Begin(kTenPerMm);
    Draw(Card({"typpho\tlft0\ttop0\twid10\thei10"}));
    const auto drawn = output->Of(CanvasCall::StretchBitmap);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].pictureWidth, c.drawnWidth);
    EXPECT_EQ(drawn[0].pictureHeight, c.drawnHeight);
    EXPECT_EQ(output->At(50, 40), 0x2080C0u);
  }
}

TEST_F(BudgetRenderer, RecordsTooLargeToHoldAreSkippedAndToldOnce) {
  env.loadPictureToImage = [](Picture& holder, const std::string&, const DrawSize&) {
    holder.SetBitmap(FilledBitmap(40, 20, 0x00FF00));
    return true;
  };
  struct Case {
    const char* record;
    const char* told;
    std::size_t texts;  // a text without its opacity copy is still written
  } cases[] = {
      {"typfim\tlft0\ttop0\twid5000\thei5000\tdatlogo.bmp\ttrp1", "layoutpost 2 (fim)", 0},
      {"typfim\tlft0\ttop0\twid5000\thei5000\tdatlogo.bmp\tImFx=GrayScale", "layoutpost 2 (fim)", 0},
      {"typftx\tlft0\ttop0\twid5000\thei5000\tfsz2\tdatHej\topa50", "layoutpost 2 (ftx)", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.record);
    reports.clear();
    Begin(kTenPerMm);
    Draw(Card({c.record, "typshp\tlft1\ttop1\twid2\thei2\tknd0\tbcl255\tpcl0\tpsz0,2"}));
    EXPECT_EQ(output->Of(CanvasCall::Rectangle).size(), 1u);  // the next record still drawn
    EXPECT_EQ(Texts().size(), c.texts);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].rfind(c.told, 0), 0u) << reports[0];
  }
}

TEST_F(BudgetRenderer, ACardTooLargeForItsShadowPrintsWithoutIt) {
  Begin(kTenPerMm, OutputKind::Printer);
  Draw(Card({"typshp\tlft1\ttop1\twid2\thei2\tknd0\tbcl255\tpcl0\tpsz0,2"}, "typcsz\twid5000\thei5000"));
  EXPECT_EQ(output->Of(CanvasCall::Rectangle).size(), 1u);
  EXPECT_TRUE(shadows.sizes.empty());
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_NE(reports[0].find("skuggbild"), std::string::npos) << reports[0];
}

}  // namespace
}  // namespace vemra
