#include <windows.h>

#include "base/win32/Win32Platform.h"

namespace vemra {
namespace {

std::string LocaleText(LCTYPE type) {
  char buffer[128];
  int n = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, std::size_t(n - 1)) : std::string();
}

char FirstOf(LCTYPE type, char fallback) {
  std::string text = LocaleText(type);
  return text.empty() ? fallback : text[0];
}

// Windows numbers days from Monday; callers count from Sunday.
LCTYPE DayType(LCTYPE monday, int day) { return monday + LCTYPE((day + 5) % 7); }

class UserRegionalFormats final : public RegionalFormats {
 public:
  char DecimalSeparator() const override { return FirstOf(LOCALE_SDECIMAL, '.'); }
  std::string ShortDateFormat() const override { return LocaleText(LOCALE_SSHORTDATE); }
  std::string LongDateFormat() const override { return LocaleText(LOCALE_SLONGDATE); }
  char DateSeparator() const override { return FirstOf(LOCALE_SDATE, '-'); }
  std::string MonthName(int m) const override {
    return m >= 1 && m <= 12 ? LocaleText(LOCALE_SMONTHNAME1 + LCTYPE(m - 1)) : "";
  }
  std::string ShortMonthName(int m) const override {
    return m >= 1 && m <= 12 ? LocaleText(LOCALE_SABBREVMONTHNAME1 + LCTYPE(m - 1)) : "";
  }
  std::string DayName(int d) const override {
    return d >= 1 && d <= 7 ? LocaleText(DayType(LOCALE_SDAYNAME1, d)) : "";
  }
  std::string ShortDayName(int d) const override {
    return d >= 1 && d <= 7 ? LocaleText(DayType(LOCALE_SABBREVDAYNAME1, d)) : "";
  }
};

}  // namespace

std::unique_ptr<RegionalFormats> MakeUserRegionalFormats() {
  return std::make_unique<UserRegionalFormats>();
}

}  // namespace vemra
