#include <gtest/gtest.h>

#include "base/Cp1252.h"
#include "base/Text.h"

namespace vemra {
namespace {

TEST(TrimControl, RemovesEveryCodeUpTo32AtBothEnds) {
  struct Case { std::string in, out; } cases[] = {
      {"", ""},
      {"  C:\\Data  ", "C:\\Data"},
      {std::string("\t\x01\x1f" "abc\r\n ", 8), "abc"},
      {"a b", "a b"},
      {"\xe5\xe4\xf6 ", "\xe5\xe4\xf6"},  // 8-bit letters are not blanks
  };
  for (const auto& c : cases) EXPECT_EQ(TrimControl(c.in), c.out) << c.in;
  EXPECT_EQ(HostText(nullptr), "");
}

TEST(WildcardMatch, FollowsTheListingRules) {
  struct Case { const char* pattern; const char* name; bool match; } cases[] = {
      {"0180*.jpg", "0180logo.jpg", true},
      {"0180*.jpg", "0180.JPG", true},
      {"0180*.jpg", "0181logo.jpg", false},
      {"0180*.jpg", "0180logo.jpg.bak", false},
      {"a?c", "abc", true},
      {"*", "", true},
      {"**a", "bba", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

TEST(Cp1252, RoundTripsSwedishLettersAndTheEuroSign) {
  EXPECT_EQ(Ansi("Läs in bild granska"), "L\xe4s in bild granska");
  EXPECT_EQ(Ansi("ÅÄÖåäö€"), "\xc5\xc4\xd6\xe5\xe4\xf6\x80");
  EXPECT_EQ(Utf8("\xc5\xc4\xd6\xe5\xe4\xf6\x80"), "ÅÄÖåäö€");
  EXPECT_EQ(Ansi("漢"), "?");
  // Bytes that are not UTF-8 pass through unchanged.
  EXPECT_EQ(Ansi("\xe5" "x"), "\xe5" "x");
}

}  // namespace
}  // namespace vemra
