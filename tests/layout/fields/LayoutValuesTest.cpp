#include <gtest/gtest.h>

#include "layout/fields/LayoutValues.h"

namespace vemra {
namespace {

const std::string kRecord =
    "typdtx\tlft10\ttop2.5\twid40,00\thei5\tfsz4\tpsz0,5\tang90\tfnmArial\tdatenamn\t";

TEST(GetLayoutValue, MatchesOnlyTabAndKeyAtAFieldStart) {
  struct Case { std::string key, record, value; } cases[] = {
      {"typ", kRecord, "dtx"},          // first field, no leading TAB
      {"fnm", kRecord, "Arial"},
      {"dat", kRecord, "enamn"},
      {"dat", "typftx\tfnmdatum\tdattext", "text"},  // not inside fnm's value
      {"dat", "typftx\tfnmdatum", ""},
      {"dat", "\tdatfirst\tdatsecond", "first"},
      {"Dat", kRecord, ""},             // keys are case-sensitive
      {"col", kRecord, ""},
      {"dat", "", ""},
      {"dat", "dat", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(GetLayoutValue(c.key, c.record), c.value) << c.key;
}

TEST(GetLayoutValue, ScalesOnlyPositionsSizesAndFontHeight) {
  struct Case { const char* key; std::string value; } cases[] = {
      {"lft", "5"}, {"top", "1.25"}, {"wid", "20"}, {"hei", "2.5"}, {"fsz", "2"},
      {"psz", "0,5"}, {"ang", "90"},
  };
  for (const auto& c : cases) EXPECT_EQ(GetLayoutValue(c.key, kRecord, 0.5), c.value) << c.key;
  EXPECT_EQ(GetLayoutValue("top", kRecord, 0.5, ','), "1,25");
  EXPECT_EQ(GetLayoutValue("lft", "typftx", 0.5), "");  // absent stays absent
  EXPECT_THROW(GetLayoutValue("lft", "lftabc", 0.5), LayoutValueError);
}

TEST(GetNamedLayoutValue, MatchesTheWholeName) {
  const std::string record = "typfim\tImFxLineSpace=4\tImFx=GrayScale\tdatImFx=x";
  EXPECT_EQ(GetNamedLayoutValue("ImFx", record), "GrayScale");
  EXPECT_EQ(GetNamedLayoutValue("ImFxLineSpace", record), "4");
  EXPECT_EQ(GetNamedLayoutValue("ImFxLineColor", record), "");
}

TEST(ParseLayoutNumber, AcceptsEitherSeparator) {
  struct Case { const char* text; double value; } cases[] = {
      {"1,5", 1.5}, {"2.5", 2.5}, {"", 0}, {"-3,25", -3.25}, {"12", 12}, {" 7 ", 7},
      {"+1.5", 1.5}, {"1e2", 100},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(ParseLayoutNumber(c.text), c.value) << c.text;
  for (const char* bad : {"abc", "1,2.3", "1.5mm", "inf", "nan", "0x10", "1e999", ",", "-"})
    EXPECT_THROW(ParseLayoutNumber(bad), LayoutValueError) << bad;
}

TEST(ParseLayoutInteger, RequiresAPlainIntegerUnlessADefaultIsGiven) {
  EXPECT_EQ(ParseLayoutInteger("255"), 255);
  EXPECT_EQ(ParseLayoutInteger("-1"), -1);
  EXPECT_EQ(ParseLayoutIntegerOr("", 100), 100);
  EXPECT_EQ(ParseLayoutIntegerOr("40", 100), 40);
  for (const char* bad : {"", "1,5", "12a", "99999999999", "+"})
    EXPECT_THROW(ParseLayoutInteger(bad), LayoutValueError) << bad;
}

}  // namespace
}  // namespace vemra
