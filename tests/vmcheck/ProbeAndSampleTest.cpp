#include <gmock/gmock.h>

#include "ProbeCanvas.h"
#include "SampleHolder.h"
#include "base/FileSystem.h"
#include "base/RegionalFormats.h"

namespace vemra {
namespace {

// Every character 10 pixels wide, lines 12 high.
class FixedMeasure final : public TextMeasure {
 public:
  int Width(const FontSpec&, int extra, const std::string& text) override {
    return int(text.size()) * (10 + extra);
  }
  FontMetrics Metrics(const FontSpec&) override { return {12, 8}; }
};

struct TurnedText {
  int escapement;
  PixelRect ink;  // of "abcd" written at (100, 100) in a font 10 high
};

TEST(ProbeCanvas, TextInkTurnsAboutItsStartWithTheFont) {
  const TurnedText cases[] = {
      {0, {100, 100, 140, 110}},
      {900, {100, 60, 110, 100}},  // upwards, the cell to the right
      {1800, {60, 90, 100, 100}},
      {2700, {90, 100, 100, 140}},  // downwards, the cell to the left
  };
  FixedMeasure measure;
  for (const auto& c : cases) {
    ProbeCanvas probe(measure, 300);
    FontSpec font;
    font.height = -10;
    font.escapement = c.escapement;
    probe.SetFont(font);
    probe.TextOut(100, 100, "abcd");
    ASSERT_EQ(probe.Inks().size(), 1u);
    EXPECT_EQ(probe.Inks()[0].area, c.ink) << c.escapement;
  }
}

TEST(ProbeCanvas, WrappedTextBreaksAtBlanksAndKeepsLongWordsWhole) {
  FixedMeasure measure;
  ProbeCanvas probe(measure, 300);
  EXPECT_THAT(probe.WrapLines("ab cd efghijk\r\nx", 55),
              ::testing::ElementsAre("ab cd", "efghijk", "x"));
  FontSpec font;
  font.height = -10;
  probe.SetFont(font);
  probe.DrawFormattedText({0, 0, 55, 30}, "ab cd efghijk", kWordBreak | kAlignRight);
  // Two lines: the widest (70) sticks out on the left of a right-aligned box.
  EXPECT_EQ(probe.Inks()[0].area, (PixelRect{-15, 0, 55, 22}));
}

TEST(ProbeCanvas, BarsThatRoundToNothingAreCounted) {
  FixedMeasure measure;
  ProbeCanvas probe(measure, 300);
  probe.FillRect({10, 0, 10, 50}, 0);
  probe.FillRect({10, 0, 12, 50}, 0);
  probe.Line(20, 0, 20, 50);
  EXPECT_EQ(probe.VanishedBars(), 1);
  ASSERT_EQ(probe.Inks().size(), 2u);
  EXPECT_EQ(probe.Inks()[1].area, (PixelRect{20, 0, 21, 50}));
}

TEST(SampleHolder, TakesTheDataFoldersMunicipalityAndTheCardsDateFormat) {
  auto files = MakePortableFileSystem();
  SwedishFormats formats;
  FieldList eu, older;
  FillSampleHolder(eu, std::string(VEMRA_DEMO) + "/", "vemraeu.cpb", *files, formats);
  FillSampleHolder(older, std::string(VEMRA_DEMO) + "/", "ORTEX.CPB", *files, formats);
  EXPECT_EQ(FieldValue(eu, "kommunnamn"), "Stockholms stad");
  EXPECT_THAT(FieldValue(eu, "kommunlogo"), ::testing::EndsWith("0180logo.jpg"));
  EXPECT_EQ(FieldValue(eu, "giltigttom"), "5-MAR-2027");
  EXPECT_EQ(FieldValue(older, "giltigttom"), "2027-03-05");
  EXPECT_EQ(FieldValue(eu, "tillstnr"), "0180-00123-45K");
  EXPECT_EQ(FieldValue(older, "tillstnr"), "0180-00123-45F");
  EXPECT_TRUE(HasField(eu, "ENAMN"));
  EXPECT_FALSE(HasField(eu, "memokd1"));
}

}  // namespace
}  // namespace vemra
