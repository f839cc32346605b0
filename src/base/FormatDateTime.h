#pragma once
// Dates as the library reads them from field values and writes them with the
// user's date formatting codes.
#include <optional>
#include <string>
#include <string_view>

#include "base/RegionalFormats.h"

namespace vemra {

struct DateTime {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0;
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

bool IsValidDateTime(const DateTime& when);
// 1 Sunday .. 7 Saturday, as RegionalFormats numbers its day names.
int DayOfWeek(int year, int month, int day);

// "yyyy-mm-dd", optionally followed by " hh:nn" and ":ss" (separators are not
// checked), after trimming blanks. Any other length, a part that is not a
// number, or a date that does not exist gives nothing.
std::optional<DateTime> ParseIsoDate(std::string_view text);

// The date formatting codes, case-insensitive: d dd ddd dddd ddddd (short
// date) dddddd (long date), m mm mmm mmmm (minutes right after h), yy yyyy,
// h hh, n nn, s ss, "/" the date separator, ":" and quoted literals; any
// other character is copied.
std::string FormatDateTime(std::string_view format, const DateTime& when,
                           const RegionalFormats& formats);

}  // namespace vemra
