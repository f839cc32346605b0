#include "base/FormatDateTime.h"

#include <charconv>

#include "base/Text.h"

namespace vemra {
namespace {

bool IsLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Digits only: a sign or blank inside a date is a conversion failure.
std::optional<int> DigitsAt(std::string_view text, std::size_t pos, std::size_t count) {
  int value = 0;
  auto part = text.substr(pos, count);
  for (char c : part)
    if (c < '0' || c > '9') return std::nullopt;
  std::from_chars(part.data(), part.data() + part.size(), value);
  return value;
}

std::string TwoDigits(int value) {
  std::string s = std::to_string(value);
  return s.size() < 2 ? "0" + s : s;
}

std::string Padded(int value, std::size_t width) {
  std::string s = std::to_string(value);
  return s.size() < width ? std::string(width - s.size(), '0') + s : s;
}

// Regional formats may themselves contain the short and long date codes;
// expanding only two levels deep keeps a self-referencing format finite.
constexpr int kMaxExpansion = 2;

class Formatter {
 public:
  Formatter(const DateTime& when, const RegionalFormats& formats)
      : when_(when), formats_(formats) {}

  void Append(std::string_view format, int level) {
    char lastLetter = 0;
    std::size_t i = 0;
    while (i < format.size()) {
      char c = format[i];
      char token = UpperAscii(c);
      if (c == '"' || c == '\'') {
        auto close = format.find(c, i + 1);
        if (close == std::string_view::npos) close = format.size();
        out_.append(format.substr(i + 1, close - i - 1));
        i = close + 1;
        continue;
      }
      bool letter = token >= 'A' && token <= 'Z';
      std::size_t run = 1;
      while (letter && i + run < format.size() && UpperAscii(format[i + run]) == token) ++run;
      if (letter) {
        if (token == 'M' && lastLetter == 'H') token = 'N';
        lastLetter = token;
      }
      if (!AppendToken(token, run, level)) {
        out_ += c;
        run = 1;
      }
      i += run;
    }
  }

  std::string Result() && { return std::move(out_); }

 private:
  bool AppendToken(char token, std::size_t run, int level) {
    switch (token) {
      case 'D': AppendDay(run, level); return true;
      case 'M': AppendMonth(run); return true;
      case 'Y': out_ += run <= 2 ? TwoDigits(when_.year % 100) : Padded(when_.year, 4); return true;
      case 'H': out_ += run == 1 ? std::to_string(when_.hour) : TwoDigits(when_.hour); return true;
      case 'N': out_ += run == 1 ? std::to_string(when_.minute) : TwoDigits(when_.minute); return true;
      case 'S': out_ += run == 1 ? std::to_string(when_.second) : TwoDigits(when_.second); return true;
      case '/': out_ += formats_.DateSeparator(); return true;
      default: return false;
    }
  }

  void AppendDay(std::size_t run, int level) {
    int weekday = DayOfWeek(when_.year, when_.month, when_.day);
    switch (run) {
      case 1: out_ += std::to_string(when_.day); break;
      case 2: out_ += TwoDigits(when_.day); break;
      case 3: out_ += formats_.ShortDayName(weekday); break;
      case 4: out_ += formats_.DayName(weekday); break;
      default:
        if (level < kMaxExpansion)
          Append(run == 5 ? formats_.ShortDateFormat() : formats_.LongDateFormat(), level + 1);
    }
  }

  void AppendMonth(std::size_t run) {
    switch (run) {
      case 1: out_ += std::to_string(when_.month); break;
      case 2: out_ += TwoDigits(when_.month); break;
      case 3: out_ += formats_.ShortMonthName(when_.month); break;
      default: out_ += formats_.MonthName(when_.month);
    }
  }

  const DateTime& when_;
  const RegionalFormats& formats_;
  std::string out_;
};

}  // namespace

bool IsValidDateTime(const DateTime& w) {
  return w.year >= 1 && w.year <= 9999 && w.month >= 1 && w.month <= 12 && w.day >= 1 &&
         w.day <= DaysInMonth(w.year, w.month) && w.hour >= 0 && w.hour <= 23 &&
         w.minute >= 0 && w.minute <= 59 && w.second >= 0 && w.second <= 59;
}

int DayOfWeek(int year, int month, int day) {
  // Days since 1970-01-01 (a Thursday) by the civil-calendar algorithm.
  int y = month <= 2 ? year - 1 : year;
  int era = (y >= 0 ? y : y - 399) / 400;
  int yoe = y - era * 400;
  int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  long days = long(era) * 146097 + doe - 719468;
  long weekday = (days + 4) % 7;  // 0 Sunday
  if (weekday < 0) weekday += 7;
  return int(weekday) + 1;
}

std::optional<DateTime> ParseIsoDate(std::string_view text) {
  std::string trimmed = TrimControl(text);
  std::string_view t = trimmed;
  if (t.size() != 10 && t.size() != 16 && t.size() != 19) return std::nullopt;
  auto year = DigitsAt(t, 0, 4), month = DigitsAt(t, 5, 2), day = DigitsAt(t, 8, 2);
  if (!year || !month || !day) return std::nullopt;
  DateTime when{*year, *month, *day};
  if (t.size() >= 16) {
    auto hour = DigitsAt(t, 11, 2), minute = DigitsAt(t, 14, 2);
    if (!hour || !minute) return std::nullopt;
    when.hour = *hour;
    when.minute = *minute;
  }
  if (t.size() == 19) {
    auto second = DigitsAt(t, 17, 2);
    if (!second) return std::nullopt;
    when.second = *second;
  }
  if (!IsValidDateTime(when)) return std::nullopt;
  return when;
}

std::string FormatDateTime(std::string_view format, const DateTime& when,
                           const RegionalFormats& formats) {
  if (!IsValidDateTime(when)) return {};
  Formatter formatter(when, formats);
  formatter.Append(format, 0);
  return std::move(formatter).Result();
}

}  // namespace vemra
