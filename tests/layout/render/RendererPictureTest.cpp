#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "layout/RendererFixture.h"
#include "imaging/LynImageEx.h"
#include "layout/render/RenderPictures.h"

namespace vemra {
namespace {

TEST(FitPicture, KeepsAspectAndPlacesThePicture) {
  const PixelRect box{10, 20, 110, 120};
  struct Case {
    int pw, ph;
    const char* pos;
    PixelRect fitted;
  } cases[] = {
      {200, 100, "Center", {10, 45, 110, 95}},  // 100 x 50, 25 down
      {200, 100, "center", {10, 45, 110, 95}},
      {200, 100, "", {10, 20, 110, 70}},
      {200, 100, "LowerLeft", {10, 70, 110, 120}},
      {200, 100, "lowerright", {10, 70, 110, 120}},
      {200, 100, "UpperRight", {10, 20, 110, 70}},  // moves across only
      {100, 200, "UpperRight", {60, 20, 110, 120}},
      {100, 200, "LowerLeft", {10, 20, 60, 120}},
      {100, 200, "CENTER", {35, 20, 85, 120}},
      {300, 100, "Center", {10, 54, 110, 87}},  // 33 high, (100 - 33) / 2 = 33.5 -> 34
      {50, 50, "Center", {10, 20, 110, 120}},
      {0, 50, "Center", {10, 20, 110, 120}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.pw) + "x" + std::to_string(c.ph) + " " + c.pos);
    EXPECT_EQ(FitPicture(c.pw, c.ph, box, c.pos), c.fitted);
  }
}

using PictureRenderer = RendererTest;

TEST_F(PictureRenderer, PhotoSignatureOrNothingByKind) {
  photo.SetBitmap(FilledBitmap(200, 100, 0xFF0000));
  signature.SetBitmap(FilledBitmap(40, 10, 0x00FF00));
  struct Case {
    const char* knd;
    int drawnWidth;  // 0: nothing drawn
  } cases[] = {{"", 200}, {"12", 200}, {"41", 40}, {"11", 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.knd);
    Begin(kTenPerMm);
    Draw(Card({std::string("typpho\tlft0\ttop0\twid10\thei10\tposCenter\tknd") + c.knd}));
    const auto drawn = output->Of(CanvasCall::StretchBitmap);
    if (c.drawnWidth == 0) {
      EXPECT_TRUE(drawn.empty());
      continue;
    }
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].pictureWidth, c.drawnWidth);
  }
  // A 200 x 100 photo centred in a 100 x 100 box: 100 x 50, 25 down.
  Begin(kTenPerMm);
  Draw(Card({"typpho\tlft0\ttop0\twid10\thei10\tposCenter"}));
  EXPECT_EQ(output->Of(CanvasCall::StretchBitmap)[0].box, (PixelRect{0, 25, 100, 75}));
  // The holder's photo is drawn from a copy and stays as it was.
  EXPECT_EQ(photo.AsBitmap()->Width(), 200);
  // An empty photo draws nothing.
  photo.Clear();
  Begin(kTenPerMm);
  Draw(Card({"typpho	lft0	top0	wid10	hei10"}));
  EXPECT_TRUE(output->Of(CanvasCall::StretchBitmap).empty());
}

TEST_F(PictureRenderer, PictureAngleAddsTheCardsTurn) {
  photo.SetBitmap(FilledBitmap(200, 100, 0xFF0000));
  struct Case {
    const char* ang;
    int card;
    int width, height;
  } cases[] = {
      {"", 0, 200, 100},   {"90", 0, 100, 200},  {"180", 0, 200, 100},
      {"270", 90, 200, 100},  // 360 - 360: unturned
      {"", 270, 100, 200}, {"45", 0, 200, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.ang) + " on " + std::to_string(c.card));
    Begin(kTenPerMm);
    Draw(Card({std::string("typpho\tlft0\ttop0\twid10\thei10\tang") + c.ang}), c.card);
    const auto drawn = output->Of(CanvasCall::StretchBitmap);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].pictureWidth, c.width);
    EXPECT_EQ(drawn[0].pictureHeight, c.height);
  }
}

TEST_F(PictureRenderer, RasterPrintersTakeBitmapsAsBits) {
  photo.SetBitmap(FilledBitmap(200, 100, 0xFF0000));
  struct Case {
    OutputKind kind;
    int dpi;
    std::string printer;
    bool bits;
  } cases[] = {
      {OutputKind::Printer, 600, "Card Printer", true},
      {OutputKind::Printer, 300, "Microsoft Print to PDF", true},
      {OutputKind::Printer, 300, "Card Printer", false},
      {OutputKind::Preview, 600, "Card Printer", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.printer + " " + std::to_string(c.dpi));
    env.printerName = c.printer;
    Begin(c.dpi, c.kind);
    Draw(Card({"typpho\tlft0\ttop0\twid10\thei10\tposLowerLeft"}));
    const auto bits = output->Of(CanvasCall::TransferBits);
    const auto stretched = output->Of(CanvasCall::StretchBitmap);
    EXPECT_EQ(bits.size(), c.bits ? 1u : 0u);
    EXPECT_EQ(stretched.size(), c.bits ? 0u : 1u);
    const PixelRect box = c.bits ? bits.at(0).box : stretched.at(0).box;
    const int side = RoundHalfEven(10 * c.dpi / 25.4);
    EXPECT_EQ(box, (PixelRect{0, side - RoundHalfEven(side / 2.0), side, side}));
  }
}

class FixedPictures : public RendererTest {
 protected:
  void SetUp() override {
    RendererTest::SetUp();
    folder = std::filesystem::temp_directory_path() / ("vemra-render-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    path = (folder / "logo.bmp").string();
    SavePictureFile(FilledBitmap(40, 20, 0x0000FF), path, 0);
  }
  void TearDown() override { std::filesystem::remove_all(folder); }

  std::vector<std::uint8_t> FileBytes() const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  std::filesystem::path folder;
  std::string path;
};

TEST_F(FixedPictures, FilesKeepAspectUnlessRatIsZero) {
  struct Case {
    const char* rat;
    PixelRect box;
  } cases[] = {{"", {0, 0, 100, 50}}, {"1", {0, 0, 100, 50}}, {"0", {0, 0, 100, 100}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rat);
    Begin(kTenPerMm);
    Draw(Card({"typfim\tlft0\ttop0\twid10\thei10\tdat" + path + "\trat" + c.rat}));
    const auto drawn = output->Of(CanvasCall::StretchBitmap);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].box, c.box);
  }
}

TEST_F(FixedPictures, EmbeddedPicturesWinAndDamagedOnesAreReportedOnce) {
  const auto bytes = FileBytes();
  store.Add("Kommun.bmp", bytes.data(), bytes.size());
  const std::uint8_t junk[] = {'B', 'M', 0, 1, 2};
  store.Add("trasig.bmp", junk, sizeof junk);
  store.Add(path, junk, 0);  // embedded empty: the disk file of that name is not used
  Begin(kTenPerMm);
  Draw(Card({"typfim\tlft0\ttop0\twid10\thei10\tdatkommun.bmp",
             "typfim\tlft0\ttop0\twid10\thei10\tdattrasig.bmp",
             "typfim\tlft0\ttop0\twid10\thei10\tdatmissing.bmp",
             "typfim\tlft0\ttop0\twid10\thei10\tdat" + path}));
  const auto drawn = output->Of(CanvasCall::StretchBitmap);
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].pictureWidth, 40);
  EXPECT_EQ(errors, (std::vector<std::string>{"Failed to open trasig.bmp", "Failed to open " + path}));
}

// A metafile from disk reaches the renderer already drawn into a bitmap; its
// name still earns it the box-sized transparent stretch before turning.
TEST_F(FixedPictures, MetafileNamesDecideTheBoxSizedStretch) {
  const std::pair<int, int> none{0, 0};
  struct Case {
    const char* name;
    const char* extra;
    std::pair<int, int> stretch;
  } cases[] = {
      {"sigill.WMF", "\tang90", {100, 50}},
      {"sigill.emf", "\tang180", {50, 100}},
      {"sigill.emf", "", none},
      {"sigill.emf", "\ttrp1", {50, 100}},
      {"logo.bmp", "\tang90", none},
  };
  env.loadPictureToImage = [](Picture& holder, const std::string&, const DrawSize&) {
    holder.SetBitmap(FilledBitmap(40, 20, 0x00FF00));
    return true;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + c.extra);
    std::vector<std::pair<int, int>> stretches;
    env.stretchPictureToSize = [&](int w, int h, Picture&) { stretches.emplace_back(w, h); };
    Begin(kTenPerMm);
    Draw(Card({std::string("typfim\tlft0\ttop0\twid5\thei10\tdat") + c.name + c.extra}));
    EXPECT_EQ(stretches.empty(), c.stretch == none);
    for (const auto& size : stretches) EXPECT_EQ(size, c.stretch);  // card and shadow copy
  }
}

TEST_F(FixedPictures, DataPicturesAreFoundThroughTheirField) {
  fields.Add("bild", (folder / "logo").string());
  Begin(kTenPerMm);
  Draw(Card({"typpho\tkndDB\tlft0\ttop0\twid10\thei10\tdatbild",
             "typpho\tkndDB\tlft0\ttop0\twid10\thei10\tdatsaknas"}));
  const auto drawn = output->Of(CanvasCall::StretchBitmap);
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].pictureWidth, 40);
}

}  // namespace
}  // namespace vemra
