#include <gtest/gtest.h>

#include "base/AnsiCase.h"
#include "base/KeyValueList.h"

namespace vemra {
namespace {

TEST(KeyValueList, ParsesEntriesEachFollowedByATab) {
  const KeyValueList list = KeyValueList::Parse("Width=200\tHeight=120\tNote=a=b\tjunk\t\tLast=1");
  const std::vector<KeyValueList::Entry> expected = {
      {"Width", "200"}, {"Height", "120"}, {"Note", "a=b"}, {"Last", "1"}};
  EXPECT_EQ(list.Entries(), expected);
  EXPECT_EQ(list.Text(), "Width=200\tHeight=120\tNote=a=b\tLast=1\t");
  EXPECT_TRUE(KeyValueList::Parse("").Empty());
  EXPECT_EQ(KeyValueList().Text(), "");
}

TEST(KeyValueList, MatchesKeysWithoutRegardToCaseSwedishLettersIncluded) {
  // Windows-1252: "Färg" and "Ålder", looked up in other cases.
  const KeyValueList list = KeyValueList::Parse("F\xe4rg=r\xf6\x64\tALDER=9\t\xc5lder=7\tAngle=90\tangle=5\t");
  struct Case { const char* key; const char* value; } cases[] = {
      {"F\xc4RG", "r\xf6\x64"}, {"f\xe4rg", "r\xf6\x64"}, {"\xe5LDER", "7"},
      {"alder", "9"}, {"ANGLE", "90"},  // the first of two wins
  };
  for (const auto& c : cases) EXPECT_EQ(list.Value(c.key, "?"), c.value) << c.key;
  EXPECT_FALSE(list.Has("Fil"));
  EXPECT_EQ(list.Value("Fil", "none"), "none");
}

TEST(KeyValueList, ReadsWholeNumbersOnly) {
  const KeyValueList list = KeyValueList::Parse(
      "a=12\tb=-7\tc= 40 \td=+3\te=1.5\tf=\tg=12x\th=99999999999\ti=-\t");
  struct Case { const char* key; std::optional<int> value; } cases[] = {
      {"a", 12}, {"b", -7}, {"c", 40}, {"d", 3}, {"e", {}}, {"f", {}},
      {"g", {}}, {"h", {}}, {"i", {}}, {"missing", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(list.IntValue(c.key), c.value) << c.key;
}

TEST(KeyValueList, SetReplacesTheFirstMatchOrAppends) {
  KeyValueList list = KeyValueList::Parse("Half=Left\t");
  list.Set("half", "Right");
  list.Set("Top", 20);
  EXPECT_EQ(list.Text(), "Half=Right\tTop=20\t");
  list.Remove("HALF");
  EXPECT_EQ(list.Text(), "Top=20\t");
}

TEST(AnsiCase, FoldsSwedishAndOtherWindows1252Letters) {
  EXPECT_EQ(LowerAnsi("\xc5\xc4\xd6 ABC \x8a\x9f"), "\xe5\xe4\xf6 abc \x9a\xff");
  EXPECT_EQ(UpperAnsi("\xe5\xe4\xf6 abc \xf7\xdf"), "\xc5\xc4\xd6 ABC \xf7\xdf");  // ÷ and ß stay
  EXPECT_TRUE(EqualsNoCaseAnsi("G\xc5TA", "g\xe5ta"));
  EXPECT_FALSE(EqualsNoCaseAnsi("g\xe5ta", "gata"));
}

}  // namespace
}  // namespace vemra
