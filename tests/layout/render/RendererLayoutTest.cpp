#include "layout/RendererFixture.h"
#include "layout/file/LayoutFile.h"
#include "layout/fields/LayoutValues.h"

namespace vemra {
namespace {

TEST(TurnBox, TurnsRecordsWithTheCard) {
  // Card 856 x 540; box 100,50 200x100.
  struct Case {
    int angle;
    PixelRect box;
  } cases[] = {
      {0, {100, 50, 300, 150}},
      {90, {390, 100, 490, 300}},   // (H - top - h, left, h, w)
      {180, {556, 390, 756, 490}},  // (W - left - w, H - top - h, w, h)
      {270, {50, 556, 150, 756}},   // (top, W - left - w, h, w)
      {45, {100, 50, 300, 150}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    EXPECT_EQ(TurnBox(100, 50, 200, 100, c.angle, 856, 540), c.box);
  }
}

using LayoutRendering = RendererTest;

TEST_F(LayoutRendering, TurnedCardsMoveBoxesThenAddOffsets) {
  Begin(kTenPerMm);
  Draw(Card({"typshp\tlft10\ttop5\twid20\thei10\tbcl0\tpcl0"}), 90, 1.5, 2);
  const auto rects = output->Of(CanvasCall::Rectangle);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].box, (PixelRect{390 + 15, 100 + 20, 490 + 15, 300 + 20}));

  Begin(kTenPerMm, OutputKind::Preview, 0.5);
  Draw(Card({"typshp	lft10	top5	wid20	hei10	bcl0	pcl0"}));
  EXPECT_EQ(output->Of(CanvasCall::Rectangle).at(0).box, (PixelRect{50, 25, 150, 75}));
}

TEST_F(LayoutRendering, ExtremeNumbersKeepBoxesInOrder) {
  for (int angle : {0, 90, 180, 270})
    for (const char* n : {"999999999", "-999999999"}) {
      SCOPED_TRACE(std::to_string(angle) + " " + n);
      Begin(kTenPerMm);
      const std::string big = n;
      Draw(Card({"typshp\tlft" + big + "\ttop" + big + "\twid999999999\thei999999999\tbcl0\tpcl0"}),
           angle, 9e8, -9e8);
      for (const auto& call : output->Of(CanvasCall::Rectangle)) {
        EXPECT_LE(call.box.left, call.box.right);
        EXPECT_LE(call.box.top, call.box.bottom);
      }
    }
}

TEST_F(LayoutRendering, PreviewOnlyRecordsStayOffPaper) {
  photo.SetBitmap(FilledBitmap(10, 10, 0));
  fields.Add("nr", "123");
  const LayoutList card = Card({
      "typftx\tprn0\tlft0\ttop0\twid10\thei5\tfsz2\tdatA",
      "typshp\tprn0\tlft0\ttop0\twid10\thei5\tbcl0\tpcl0",
      "typpho\tprn0\tlft0\ttop0\twid10\thei5",
      "typbam\tprn0\tlft0\ttop0\twid10\thei5\tdatnr",
      "typftx\tprn1\tlft0\ttop0\twid10\thei5\tfsz2\tdatB",
  });
  Begin(kTenPerMm, OutputKind::Printer);
  Draw(card);
  EXPECT_EQ(Texts().size(), 1u);
  EXPECT_TRUE(output->Of(CanvasCall::Rectangle).empty());
  EXPECT_TRUE(output->Of(CanvasCall::StretchBitmap).empty());
  EXPECT_TRUE(output->Of(CanvasCall::Line).empty());

  Begin(kTenPerMm, OutputKind::Preview);
  Draw(card);
  EXPECT_EQ(Texts().size(), 2u);
  EXPECT_EQ(output->Of(CanvasCall::Rectangle).size(), 1u);
  EXPECT_EQ(output->Of(CanvasCall::StretchBitmap).size(), 1u);
  EXPECT_FALSE(output->Of(CanvasCall::Line).empty());
}

TEST_F(LayoutRendering, ShapeKindsDrawInTheBox) {
  // Box 10,10 50x30.
  struct Case {
    const char* knd;
    CanvasCall::Kind kind;
    int x1, y1, x2, y2;
    BrushStyle brush;
  } cases[] = {
      {"", CanvasCall::Rectangle, 0, 0, 0, 0, BrushStyle::Solid},
      {"9", CanvasCall::Rectangle, 0, 0, 0, 0, BrushStyle::Clear},  // a kind above 1
      {"1", CanvasCall::Ellipse, 0, 0, 0, 0, BrushStyle::Solid},
      {"2", CanvasCall::Line, 10, 25, 60, 25, BrushStyle::Clear},
      {"3", CanvasCall::Line, 35, 10, 35, 40, BrushStyle::Clear},
      {"4", CanvasCall::Line, 10, 10, 60, 40, BrushStyle::Clear},
      {"5", CanvasCall::Line, 10, 40, 60, 10, BrushStyle::Clear},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.knd);
    Begin(kTenPerMm);
    Draw(Card({std::string("typshp\tlft1\ttop1\twid5\thei3\tbcl65280\tpcl255\tknd") + c.knd}));
    const auto calls = output->Of(c.kind);
    ASSERT_EQ(calls.size(), 1u);
    if (c.kind == CanvasCall::Line) {
      EXPECT_EQ(std::tie(calls[0].x, calls[0].y, calls[0].x2, calls[0].y2),
                std::tie(c.x1, c.y1, c.x2, c.y2));
    } else {
      EXPECT_EQ(calls[0].box, (PixelRect{10, 10, 60, 40}));
    }
    EXPECT_EQ(calls[0].brush.style, c.brush);
    EXPECT_EQ(calls[0].pen.colour, 255u);
    // 0.25 mm by default: 2.5 pixels, rounded to even.
    EXPECT_EQ(calls[0].pen.width, 2);
    EXPECT_EQ(output->Brush().style, BrushStyle::Clear) << "left clear for the next record";
  }
}

TEST_F(LayoutRendering, ShapeOutlineAndFill) {
  struct Case {
    const char* keys;
    PenSpec pen;
    BrushStyle brush;
  } cases[] = {
      // psz 0: a one-pixel outline in the fill colour.
      {"psz0\tpcl0\tbcl255", {PenStyle::Solid, 255, 1}, BrushStyle::Solid},
      {"psz1\tpcl-1\tbcl255", {PenStyle::Clear, 0, 10}, BrushStyle::Solid},
      {"psz0,5\tpcl16711680\tbcl-1", {PenStyle::Solid, 16711680, 5}, BrushStyle::Clear},
      // No fill to take a colour from: no outline either.
      {"psz0\tpcl0\tbcl-1", {PenStyle::Solid, 0xFFFFFF, 1}, BrushStyle::Clear},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    Begin(kTenPerMm);
    Draw(Card({std::string("typshp\tlft1\ttop1\twid5\thei3\t") + c.keys}));
    const auto rects = output->Of(CanvasCall::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].pen.style, c.pen.style);
    if (c.pen.style == PenStyle::Solid) {
      EXPECT_EQ(rects[0].pen.colour, c.pen.colour);
    }
    EXPECT_EQ(rects[0].pen.width, c.pen.width);
    EXPECT_EQ(rects[0].brush.style, c.brush);
  }
}

TEST_F(LayoutRendering, ShapeColoursMustBeNumbers) {
  for (const char* keys : {"pcl0", "bcl0", "bcl\tpcl0", "bclred\tpcl0", "bcl0\tpcl1,5"}) {
    SCOPED_TRACE(keys);
    Begin(kTenPerMm);
    EXPECT_THROW(Draw(Card({std::string("typshp\tlft1\ttop1\twid5\thei3\t") + keys})),
                 LayoutValueError);
  }
}

TEST_F(LayoutRendering, PrinterShapesReadTheirBackgroundFromTheShadow) {
  // A printer cannot be read back (it gives white); the shadow holds the
  // green drawn before.
  Begin(kTenPerMm, OutputKind::Printer);
  output->unreadable = true;
  Draw(Card({"typshp\tlft0\ttop0\twid80\thei50\tbcl65280\tpcl-1",
             "typshp\tlft1\ttop1\twid5\thei3\tbcl255\tpcl-1\topa0"}));
  const auto blends = output->Of(CanvasCall::AlphaBlend);
  ASSERT_EQ(blends.size(), 1u);
  EXPECT_EQ(output->At(35, 25), 65280u);
}

TEST_F(LayoutRendering, CardOutlinesShowInPreviewOnly) {
  const LayoutList sheet = Card({"typcrd\tlft10\ttop10\twid8\thei5",
                                 "typcrd\tlft20\ttop10\twid8\thei5\tbak1",
                                 "typcrd\tlft30\ttop10\twid8\thei5\ttpeb"},
                                "typcsz\twid210\thei297");
  Begin(kTenPerMm, OutputKind::Printer);
  Draw(sheet);
  EXPECT_TRUE(output->Of(CanvasCall::Rectangle).empty());
  EXPECT_TRUE(Texts().empty());

  Begin(kTenPerMm, OutputKind::Preview, 0.5);
  const PenSpec pen{PenStyle::Solid, 123, 3};
  output->SetPen(pen);
  Draw(sheet);
  const auto rects = output->Of(CanvasCall::Rectangle);
  ASSERT_EQ(rects.size(), 3u);
  EXPECT_EQ(rects[0].box, (PixelRect{50, 50, 90, 75}));
  EXPECT_EQ(rects[0].brush, (BrushSpec{BrushStyle::DiagonalHatch, 12632256}));
  EXPECT_EQ(rects[0].pen.colour, 0u);
  const auto labels = Texts();
  ASSERT_EQ(labels.size(), 3u);
  EXPECT_EQ(labels[0].text, "F 1");
  EXPECT_EQ(labels[1].text, "B 1");
  EXPECT_EQ(labels[2].text, "F 1");  // the label follows bak alone
  // Arial of round(0.5 * 36 * 254 / 72) = 64 pixels: "F 1" is 96 wide and
  // 80 high, centred in the 40 x 25 box.
  EXPECT_EQ(labels[0].font.height, -64);
  EXPECT_EQ(labels[0].x, 50 + (40 - 96) / 2);
  EXPECT_EQ(labels[0].y, 50 + (25 - 80) / 2);
  // Restored as the card record left it (clear, for its margin texts).
  EXPECT_EQ(output->Pen(), (PenSpec{PenStyle::Clear, 123, 3}));
}

TEST_F(LayoutRendering, EveryRecordIsDrawnOnAWhiteShadowToo) {
  fields.Add("nr", "1");
  Begin(kTenPerMm);
  Draw(Card({"typshp\tlft0\ttop0\twid5\thei3\tbcl0\tpcl0",
             "typftx\tlft0\ttop0\twid5\thei3\tfsz2\tdatA",
             "typxyz\tlft0\ttop0"}),
       0, 1, 2.5);
  ASSERT_EQ(shadows.sizes.size(), 1u);
  EXPECT_EQ(shadows.sizes[0], (PixelSize{866, 565}));  // (85.6 + 1) and (54 + 2.5) mm
  const auto& shadow = *shadows.logs[0];
  EXPECT_EQ(std::count_if(shadow.begin(), shadow.end(),
                          [](const CanvasCall& c) { return c.kind == CanvasCall::Rectangle; }),
            1);
  EXPECT_EQ(std::count_if(shadow.begin(), shadow.end(),
                          [](const CanvasCall& c) { return c.kind == CanvasCall::Text; }),
            1);
  EXPECT_EQ(progressSteps, 4);
  EXPECT_EQ(renderer.JobExtents(), (PixelSize{856, 540}));
}

TEST_F(LayoutRendering, JobExtentsKeepTheLargestCard) {
  Begin(kTenPerMm);
  Draw(Card({}, "typcsz\twid50\thei90"));
  Draw(Card({}, "typcsz\twid80\thei20"));
  EXPECT_EQ(renderer.JobExtents(), (PixelSize{800, 900}));
}

TEST_F(LayoutRendering, CardTooLargeForAShadowStillPrints) {
  env.makeBitmapCanvas = [](const Bitmap&) -> std::unique_ptr<BitmapCanvas> {
    throw std::bad_alloc();
  };
  Begin(kTenPerMm);
  Draw(Card({"typftx\tlft0\ttop0\twid5\thei3\tfsz2\topa50\tdatA"}));
  EXPECT_EQ(Texts().size(), 1u);
}

// The demo cards draw whole, with their expressions, groups, embedded
// pictures and barcodes, on paper and in preview.
TEST_F(LayoutRendering, DemoCardsDrawWhole) {
  fields.Add("enamn", "Andersson");
  fields.Add("fnamn", "Eva");
  fields.Add("fnamnenamn", "Eva Andersson");
  fields.Add("kon", "K");
  fields.Add("tillstnr", "0180-123");
  fields.Add("giltigttom", "2027-12-31");
  fields.Add("streckkod", "7992739871");
  photo.SetBitmap(FilledBitmap(300, 400, 0x808080));
  signature.SetBitmap(FilledBitmap(400, 100, 0));
  const std::string demo = std::string(VEMRA_SAMPLES) + "/../demo/";
  fields.Add("kommunlogo", demo + "0180logo.jpg");  // the older card shows only the logo
  for (const char* name : {"vemraeu.cpb", "vemraeu_bak.cpc", "ortex.cpb", "ortex_bak.cpc"}) {
    SCOPED_TRACE(name);
    LayoutList list;
    ASSERT_TRUE(LoadLayoutFile(demo + name, list, store));
    for (OutputKind kind : {OutputKind::Printer, OutputKind::Preview}) {
      Begin(300, kind);
      ASSERT_NO_THROW(Draw(list));
      std::string texts;
      for (const auto& t : Texts()) texts += t.text + "|";
      if (std::string(name).find("bak") == std::string::npos) {
        EXPECT_NE(texts.find("EU-modell"), std::string::npos) << texts;
        EXPECT_NE(texts.find("Andersson"), std::string::npos) << texts;
        EXPECT_FALSE(output->Of(CanvasCall::StretchBitmap).empty());
      }
      EXPECT_TRUE(errors.empty());
      EXPECT_EQ(renderer.JobExtents(), (PixelSize{1011, 638}));
    }
  }
}

}  // namespace
}  // namespace vemra
