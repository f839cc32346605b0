#include "layout/RendererFixture.h"

namespace vemra {
namespace {

using TextRenderer = RendererTest;

// At 300 dpi a 30 mm box is round(354.33) = 354 pixels wide, fsz 3 mm is
// 35 pixels and "ABCD" 4 x 17 = 68 pixels.
TEST_F(TextRenderer, AlignsOneLineInItsBox) {
  struct Case {
    const char* ali;
    int x;
  } cases[] = {
      {"left", 118}, {"", 118}, {"bogus", 118},
      {"center", 118 + (354 - 68) / 2}, {"CENTER", 118 + (354 - 68) / 2},
      {"right", 118 + 354 - 68}, {"Right", 118 + 354 - 68},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ali);
    Begin(300);
    Draw(Card({std::string("typftx\tlft10\ttop5\twid30\thei8\tfsz3\tdatABCD\tali") + c.ali}));
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].x, c.x);
    EXPECT_EQ(Texts()[0].y, 59);  // round(5 * 11.811)
    EXPECT_EQ(Texts()[0].font.height, -35);
  }
}

TEST_F(TextRenderer, TextAngleAddsTheCardsTurn) {
  struct Case {
    const char* ang;
    int card;
    int escapement;
  } cases[] = {
      {"", 0, 0},      {"90", 0, 900},   {"90", 90, 0},     // 90 + 90 + 180 - 360
      {"", 90, 2700},  {"", 180, 1800},  {"270", 270, 0},   // 720 - 360 - 360
      {"180", 270, 2700},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.ang) + " on " + std::to_string(c.card));
    Begin(kTenPerMm);
    Draw(Card({std::string("typftx\tlft1\ttop1\twid30\thei8\tfsz3\tdatAB\tang") + c.ang}), c.card);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].font.escapement, c.escapement);
    EXPECT_EQ(output->Font().escapement, 0) << "the turned font is only for the drawing";
  }
}

TEST_F(TextRenderer, StartPointFollowsAngleAndAlignment) {
  // Box 100,200 300x150; "ABCDE" at height 20 is 50 pixels wide.
  struct Case {
    int angle;
    HorizontalAlign align;
    int x, y;
  } cases[] = {
      {0, HorizontalAlign::Left, 100, 200},   {0, HorizontalAlign::Centre, 225, 200},
      {0, HorizontalAlign::Right, 350, 200},  {90, HorizontalAlign::Left, 100, 350},
      {90, HorizontalAlign::Centre, 100, 300}, {90, HorizontalAlign::Right, 100, 250},
      {180, HorizontalAlign::Left, 400, 350}, {180, HorizontalAlign::Centre, 275, 350},
      {180, HorizontalAlign::Right, 150, 350}, {270, HorizontalAlign::Left, 400, 200},
      {270, HorizontalAlign::Centre, 400, 250}, {270, HorizontalAlign::Right, 400, 300},
      {45, HorizontalAlign::Right, 350, 200},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.angle);
    Begin(kTenPerMm);
    FontSpec font;
    font.height = -20;
    output->SetFont(font);
    renderer.DrawTextLine(*output, "ABCDE", 100, 200, 300, 150, false, 100, c.angle,
                          VerticalAlign::Top, c.align);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].x, c.x);
    EXPECT_EQ(Texts()[0].y, c.y);
    EXPECT_EQ(Texts()[0].font.escapement, c.angle * 10);
    EXPECT_EQ(Texts()[0].brush.style, BrushStyle::Clear);
    EXPECT_EQ(Texts()[0].pen.style, PenStyle::Clear);
  }
}

TEST_F(TextRenderer, FontComesFromTheRecord) {
  Begin(300, OutputKind::Preview, 0.5);
  Draw(Card({"typftx\tlft0\ttop0\twid30\thei8\tfsz4\tfsp12\tfnmVerdana\tfst3\tcol255\tdatA",
             "typftx\tlft0\ttop0\twid30\thei8\tfsz4\tfst2\tdatB"}));
  const auto texts = Texts();
  ASSERT_EQ(texts.size(), 2u);
  // fsp wins, scaled by the job: round(12 * 0.5 * 300 / 72) = 25.
  EXPECT_EQ(texts[0].font.height, -25);
  EXPECT_EQ(texts[0].font.face, "Verdana");
  EXPECT_TRUE(texts[0].font.bold && texts[0].font.italic);
  EXPECT_EQ(texts[0].font.colour, 255u);
  // fsz is scaled on reading: round(2 * 11.811) = 24.
  EXPECT_EQ(texts[1].font.height, -24);
  EXPECT_TRUE(texts[1].font.italic && !texts[1].font.bold);
  EXPECT_EQ(texts[1].font.colour, 0u);
}

TEST_F(TextRenderer, WrappedTextBreaksAtFFAndStepsLinesByAngle) {
  // fsz 2 mm at 254 dpi: height 20, line height 25; box 10,10 300x100.
  struct Case {
    const char* val;
    const char* ang;
    std::vector<std::pair<int, int>> starts;
  } cases[] = {
      {"", "", {{10, 10}, {10, 35}, {10, 60}}},
      {"bottom", "", {{10, 35}, {10, 60}, {10, 85}}},         // 100 - 3 x 25 down
      {"center", "", {{10, 22}, {10, 47}, {10, 72}}},         // 25 div 2
      {"", "90", {{10, 110}, {35, 110}, {60, 110}}},          // lines step right
      {"", "180", {{310, 110}, {310, 85}, {310, 60}}},        // and up
      {"", "270", {{310, 10}, {285, 10}, {260, 10}}},         // and left
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.val) + "/" + c.ang);
    Begin(kTenPerMm);
    Draw(Card({std::string("typftx\tlft1\ttop1\twid30\thei10\tfsz2\twwp1\tdatA\xFF" "BB\xFF" "C\tval") +
               c.val + "\tang" + c.ang}));
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[1].text, "BB");
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(texts[i].x, c.starts[i].first) << i;
      EXPECT_EQ(texts[i].y, c.starts[i].second) << i;
    }
  }
}

TEST_F(TextRenderer, MemoLinesStandOneBoxLowerEach) {
  fields.Add("memokd1", "Rad ett");
  fields.Add("memokd2", "");
  fields.Add("memokd3", "Rad tre");
  fields.Add("memokd4", "***");
  fields.Add("memokd5", "efter slutet");
  Begin(kTenPerMm);
  Draw(Card({"typdtx\tlft1\ttop2\twid30\thei5\tfsz2\tdatMEMOKD"}));
  const auto texts = Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "Rad ett");
  EXPECT_EQ(texts[0].y, 20);
  EXPECT_EQ(texts[1].text, "Rad tre");
  EXPECT_EQ(texts[1].y, 20 + 2 * 50);
}

TEST_F(TextRenderer, CharacterExtraIsAShareOfTheLineHeight) {
  Begin(kTenPerMm);
  // Line height 25; 50 % of it is 12.5, rounded to even 12.
  Draw(Card({"typftx\tlft0\ttop0\twid30\thei5\tfsz2\tfxs50\tdatAB",
             "typftx\tlft0\ttop0\twid30\thei5\tfsz2\tfxsx\tdatCD"}));
  const auto texts = Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].characterExtra, 12);
  EXPECT_EQ(texts[1].characterExtra, 0);
  const auto extras = output->Of(CanvasCall::CharacterExtra);
  ASSERT_EQ(extras.size(), 2u);
  EXPECT_EQ(extras.back().characterExtra, 0);
}

TEST_F(TextRenderer, GroupMembersRunOnOneBaseline) {
  fields.Add("enamn", "Berg");
  // Heights 20 and 40 (fsz 2 and 4): ascents 20 and 40.
  const LayoutList card = Card({
      "typftx\tlft1\ttop3\twid30\thei5\tfsz2\tgrpNamn\tdatHerr ",
      "typdtx\tlft50\ttop9\twid30\thei5\tfsz4\tgrpNAMN\tdatenamn",
      "typftx\tlft60\ttop9\twid30\thei5\tfsz2\tgrpnamn\tdat!",
      "typftx\tlft7\ttop7\twid30\thei5\tfsz2\tgrpandra\tdatX",
  });
  Begin(kTenPerMm);
  Draw(card, 0, 2, 1);
  const auto texts = Texts();
  ASSERT_EQ(texts.size(), 4u);
  // The first member keeps its place (offsets added).
  EXPECT_EQ(texts[0].x, 10 + 20);
  EXPECT_EQ(texts[0].y, 30 + 10);
  // "Herr " is 5 x 10 wide; the second's baseline is the first's.
  EXPECT_EQ(texts[1].x, 30 + 50);
  EXPECT_EQ(texts[1].y, 40 + 20 - 40);
  // "Berg" is 4 x 20 wide.
  EXPECT_EQ(texts[2].x, 30 + 50 + 80);
  EXPECT_EQ(texts[2].y, 40);
  EXPECT_EQ(texts[3].x, 70 + 20);
}

TEST_F(TextRenderer, RightAlignedGroupGrowsToTheLeft) {
  const LayoutList card = Card({
      "typftx\tlft10\ttop3\twid20\thei5\tfsz2\tgrpg\talirIGHT\tdatABC",
      "typftx\tlft0\ttop3\twid15\thei5\tfsz2\tgrpg\taliright\tdatDE",
  });
  Begin(kTenPerMm);
  Draw(card);
  const auto texts = Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].x, 100 + 200 - 30);
  // x = 100 + (200 - 30) - 150, then right-aligned in its 150 box.
  EXPECT_EQ(texts[1].x, 100 + 170 - 150 + 150 - 20);
  EXPECT_EQ(texts[1].x + 20, texts[0].x);
}

TEST_F(TextRenderer, MarginTextsAreWrittenOncePerJob) {
  const LayoutList card = Card({}, "typcsz\twid85,6\thei54\tmt1Kommun 0180\tmt3!!special:ft\"Tre\"!");
  Begin(300, OutputKind::Printer);
  Draw(card, 0, 2, 3);
  Draw(card, 0, 2, 3);  // the back side, same layout
  auto texts = Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].text, "Kommun 0180");
  EXPECT_EQ(texts[0].x, 35);  // round(3 * 11.811)
  EXPECT_EQ(texts[0].y, 35);  // round(3 * 11.811)
  EXPECT_EQ(texts[1].text, "Tre");
  EXPECT_EQ(texts[1].y, 130);  // round(11 * 11.811)
  EXPECT_EQ(texts[0].font.colour, 0xFFFFFFu);
  EXPECT_EQ(texts[0].font.height, -50);  // 12 points at 300 dpi
  // Every layout of a new job writes them again.
  renderer.BeginJob(*output, OutputKind::Printer, 1.0);
  Draw(card);
  EXPECT_EQ(Texts().size(), 4u);
}

}  // namespace
}  // namespace vemra
