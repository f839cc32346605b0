#include <gtest/gtest.h>

#include "base/Cp1252.h"
#include "base/FormatDateTime.h"

namespace vemra {
namespace {

const SwedishFormats kSwedish;

TEST(ParseIsoDate, ReadsTheThreeLengthsAndRejectsTheRest) {
  struct Case { const char* text; std::optional<DateTime> date; } cases[] = {
      {"2024-03-05", DateTime{2024, 3, 5}},
      {" 2024-03-05\t", DateTime{2024, 3, 5}},
      {"2024/03/05", DateTime{2024, 3, 5}},  // separators are not checked
      {"2024-03-05 14:07", DateTime{2024, 3, 5, 14, 7, 0}},
      {"2024-03-05T14:07:09", DateTime{2024, 3, 5, 14, 7, 9}},
      {"2024-3-5", std::nullopt},
      {"2024-02-30", std::nullopt},
      {"2023-02-29", std::nullopt},
      {"2024-03-05 25:00", std::nullopt},
      {"2024-03-05 1", std::nullopt},
      {"+024-03-05", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseIsoDate(c.text), c.date) << c.text;
  EXPECT_TRUE(ParseIsoDate("2024-02-29"));
}

TEST(DayOfWeek, CountsFromSunday) {
  EXPECT_EQ(DayOfWeek(2024, 3, 5), 3);    // a Tuesday
  EXPECT_EQ(DayOfWeek(2000, 1, 1), 7);    // a Saturday
  EXPECT_EQ(DayOfWeek(1899, 12, 31), 1);  // a Sunday
  EXPECT_EQ(DayOfWeek(2026, 12, 8), 3);
}

TEST(FormatDateTime, KnowsEveryCode) {
  const DateTime when{2024, 3, 5, 9, 7, 4};
  struct Case { const char* format; std::string text; } cases[] = {
      {"d dd", "5 05"},
      {"ddd dddd", Ansi("tis tisdag")},
      {"ddddd", "2024-03-05"},
      {"dddddd", Ansi("tisdag 5 mars 2024")},
      {"m mm mmm mmmm", "3 03 mar mars"},
      {"yy yyyy", "24 2024"},
      {"h hh:nn:ss n s", "9 09:07:04 7 4"},
      {"hh:mm", "09:07"},  // m right after h is the minute
      {"yyyy/mm/dd", "2024-03-05"},
      {"\"kl\" hh 'den' d", "kl 09 den 5"},
      {"DD.MM.YYYY", "05.03.2024"},
      {"'open", "open"},
      {"x", "x"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDateTime(c.format, when, kSwedish), c.text) << c.format;
}

// Regional formats that name themselves must not expand for ever.
class LoopingFormats final : public RegionalFormats {
 public:
  char DecimalSeparator() const override { return ','; }
  char DateSeparator() const override { return '-'; }
  std::string MonthName(int) const override { return "m"; }
  std::string ShortMonthName(int) const override { return "m"; }
  std::string DayName(int) const override { return "d"; }
  std::string ShortDayName(int) const override { return "d"; }
  std::string ShortDateFormat() const override { return "ddddd-dddddd"; }
  std::string LongDateFormat() const override { return "dddddd"; }
};

TEST(FormatDateTime, SelfReferencingRegionalFormatsStayFinite) {
  LoopingFormats formats;
  EXPECT_LT(FormatDateTime("ddddd", {2024, 3, 5}, formats).size(), 10u);
  EXPECT_EQ(FormatDateTime("d", {2024, 2, 30}, formats), "");  // no such day
}

}  // namespace
}  // namespace vemra
