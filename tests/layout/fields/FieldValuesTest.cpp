#include <gtest/gtest.h>

#include "base/Cp1252.h"
#include "layout/fields/FieldFormat.h"
#include "layout/fields/FieldValues.h"
#include "layout/fields/ObjectTexts.h"

namespace vemra {
namespace {

const SwedishFormats kSwedish;

FieldList Fields(std::initializer_list<std::pair<std::string, std::string>> pairs) {
  FieldList fields;
  for (const auto& [name, value] : pairs) fields.Add(name, value);
  return fields;
}

TEST(FieldValue, LastMatchWinsAndOnlyAToZFold) {
  FieldList fields = Fields({{"enamn", "Berg"}, {"fnamn", "fnamn"}, {"enamn", "Lind"},
                             {Ansi("operatör"), "Eva"}, {"tom", ""}});
  fields.AddLine("no tab");
  fields.AddLine("\tunnamed");
  struct Case { std::string name, value; } cases[] = {
      {"enamn", "Lind"},
      {"ENAMN", "Lind"},
      {"fnamn", ""},  // a value equal to its name reads empty
      {Ansi("operatör"), "Eva"},
      {Ansi("OPERATÖR"), ""},
      {Ansi("OPERATöR"), "Eva"},
      {"saknas", ""},
      {"tom", ""},
      {"no tab", ""},
      {"", "unnamed"},
  };
  for (const auto& c : cases) EXPECT_EQ(FieldValue(fields, c.name), c.value) << c.name;
  fields.LoadFromText("a\tb\r\nc\td\te\n");
  EXPECT_EQ(FieldValue(fields, "c"), "d\te");
  EXPECT_EQ(FieldValue(fields, "enamn"), "");
}

TEST(DbMarker, SplitsNameAndFormat) {
  EXPECT_EQ(StripDbMarker("a[DB]b[db]c[Db"), "abc[Db");
  EXPECT_EQ(DbFormatOf("tillstnr[DB]5"), "5");
  EXPECT_EQ(DbFormatOf("tillstnr[db]5"), "");
  EXPECT_EQ(DbFormatOf("a[DB]b[DB]c"), "b[DB]c");
  struct Case { const char* text; int length; } cases[] = {
      {"nr[DB]5", 5}, {"nr[DB]-4", -4}, {"nr", -1}, {"nr[DB]", -1}, {"nr[DB]x", -1},
      {"nr[DB]1,2", -1}, {"nr[DB]99999999999", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(DbLengthOf(c.text), c.length) << c.text;
}

TEST(FormatFieldValue, IntegerFormatsCutOrPad) {
  struct Case { const char* format; const char* value; std::string text; } cases[] = {
      {"", "abc", "abc"},
      {"5", "12345678901234", "12345"},
      {"5", "42", "00042"},
      {"5", "AB", "   AB"},
      {"5", "-42", "-0042"},
      {"5", "12345", "12345"},
      {"12", "99999999999", "99999999999"},  // beyond 32 bits: unpadded
      {"-4", "12345678901234", "1234"},
      {"0", "abc", ""},
      {"x", "abc", "abc"},
      {"99999999999", "abc", "abc"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatFieldValue(c.format, c.value, kSwedish), c.text) << c.format << " " << c.value;
  EXPECT_EQ(FormatFieldValue("2000000000", "7", kSwedish).size(), std::size_t(kMaxFieldWidth));
}

TEST(FormatFieldValue, RangeFormatsCopyAndReplace) {
  struct Case { const char* format; const char* value; const char* text; } cases[] = {
      {"0,5", "1234567", "34567"},
      {"2,3", "1234567", "234"},
      {"2,0", "1234567", "234567"},
      {"-1,3", "1234567", "567"},
      {"1,-3", "1234567", "567"},
      {"-3,3", "1234567", "345"},  // made positive before the zero check
      {"3,-3", "1234567", "345"},
      {"-2,2", "1234567", "56"},
      {"*,3", "1234567", "567"},
      {"0,5", "42", "00042"},
      {"0,0&1,x", "1234567", "1234567"},  // no change, no replacement either
      {"1,0&-,", "12-34-56", "123456"},
      {"1,0&-", "12-34-56", "123456"},
      {"1,0&a,aa", "banana", "baanaanaa"},  // replaced once, not again
      {"1,0&,x", "abc", "abc"},
      {"9,3", "1234567", ""},
      {"a,3", "1234567", "1234567"},
      {"2,", "1234567", "1234567"},
      {"-2147483648,1", "1234567", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatFieldValue(c.format, c.value, kSwedish), c.text) << c.format << " " << c.value;
}

TEST(FormatFieldValue, DatesUseTheRegionalNamesAndAskedCapitals) {
  struct Case { const char* format; const char* value; std::string text; } cases[] = {
      {"Date|d Mmmm yyyy", "2024-03-05", "5 Mars 2024"},
      {"date|d MMMM yyyy", "2024-03-05", "5 MARS 2024"},
      {"Date|d Mmm yy", "2024-03-05", "5 Mar 24"},
      {"Date|MMMM Mmm", "2024-03-05", "Mars Mar"},  // the short form wins, everywhere
      {"Date|Dddd d/m", "2024-03-05", "Tisdag 5-3"},
      {"Date|DDD d", "2024-10-19", Ansi("LÖR 19")},
      {"Date|Dddd", "2024-10-19", Ansi("Lördag")},
      {"Date|long", "2024-03-05", "tisdag 5 mars 2024"},
      {"Date|LONG", "2024-03-05 12:00", "tisdag 5 mars 2024"},
      {"Date|yyyy-mm-dd hh:nn", "2024-03-05 14:07", "2024-03-05 14:07"},
      {"Date|d Mmmm yyyy", "2024-3-5", ""},
      {"Date|", "2024-03-05", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatFieldValue(c.format, c.value, kSwedish), c.text) << c.format << " " << c.value;
}

TEST(DataTextOf, FormatsFieldsAndReadsMemos) {
  FieldList fields = Fields({{"tillstnr", "12345678901234"}, {"memokd1", "Rad ett"},
                             {"memokd2", ""}, {"memokd3", "***"}, {"memokd4", "efter"},
                             {"memopd1", "a"}, {"memopd3", "c"}});
  auto text = DataTextOf("tillstnr[DB]5", fields, kSwedish);
  EXPECT_FALSE(text.memo);
  EXPECT_EQ(text.lines, std::vector<std::string>{"12345"});
  EXPECT_EQ(DataTextOf("tillstnr[db]", fields, kSwedish).lines[0], "12345678901234");
  text = DataTextOf("MemoKD", fields, kSwedish);
  EXPECT_TRUE(text.memo);
  EXPECT_EQ(text.lines, (std::vector<std::string>{"Rad ett", ""}));
  text = DataTextOf("memopd[DB]5", fields, kSwedish);
  ASSERT_EQ(text.lines.size(), std::size_t(kMaxMemoLines));
  EXPECT_EQ(text.lines[2], "c");
  EXPECT_EQ(JoinMemoLines(text.lines), "a\r\nc");
}

TEST(DrawnTextOf, EvaluatesFixedAndDataTexts) {
  FieldList fields = Fields({{"uttryck", "!!special:ft\"Nr \"!kd\"nr\"!"}, {"nr", "18"},
                             {"memokd1", "function_mod10(18)"}});
  struct Case { const char* record; std::vector<std::string> lines; } cases[] = {
      {"typftx\tdatfunction_mod10(18)", {"2"}},
      {"typftx\tdat!!special:kd\"nr\"!", {"18"}},
      {"typdtx\tdatuttryck", {"Nr 18"}},  // a field's value may be an expression
      {"typdtx\tdatnr[DB]4", {"0018"}},
      {"typdtx\tdatmemokd", {"2", "", ""}},
      {"typfim\tdatnr", {}},
  };
  for (const auto& c : cases) {
    auto lines = DrawnTextOf(c.record, fields, kSwedish).lines;
    if (lines.size() > c.lines.size()) lines.resize(c.lines.size());
    EXPECT_EQ(lines, c.lines) << c.record;
  }
}

TEST(DataPictureName, CutsOrZeroPadsTheFieldValue) {
  FieldList fields = Fields({{"kommun", "180"}, {"bild", "vapen"}, {"namn", "Stockholm"}});
  struct Case { const char* dat; const char* name; } cases[] = {
      {"kommun[DB]4", "0180"},
      {"kommun[db]2", "180"},
      {"bild[DB]8", "vapen"},
      {"namn[DB]5", "Stock"},
      {"kommun", "180"},
      {"!!special:ft\"logo\"!kd\"kommun\"!", "logo180"},
  };
  for (const auto& c : cases) EXPECT_EQ(DataPictureName(c.dat, fields, kSwedish), c.name) << c.dat;
}

TEST(FieldIsSet, FollowsTheDblField) {
  FieldList fields = Fields({{"tel", "08-123"}, {"fax", ""}});
  EXPECT_TRUE(FieldIsSet("typdtx\tdattel", fields));
  EXPECT_TRUE(FieldIsSet("typdtx\tdbltel[DB]", fields));
  EXPECT_FALSE(FieldIsSet("typdtx\tdblfax", fields));
  EXPECT_FALSE(FieldIsSet("typdtx\tdblsaknas", fields));
}

}  // namespace
}  // namespace vemra
