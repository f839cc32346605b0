#pragma once
// The user's regional formats. Names are Windows-1252 texts.
#include <string>

namespace vemra {

class RegionalFormats {
 public:
  virtual ~RegionalFormats() = default;
  virtual char DecimalSeparator() const = 0;
  virtual std::string ShortDateFormat() const = 0;  // e.g. "yyyy-MM-dd"
  virtual std::string LongDateFormat() const = 0;
  virtual char DateSeparator() const = 0;
  virtual std::string MonthName(int month) const = 0;  // 1-12
  virtual std::string ShortMonthName(int month) const = 0;
  virtual std::string DayName(int day) const = 0;  // 1 Sunday .. 7 Saturday
  virtual std::string ShortDayName(int day) const = 0;
};

// Sweden's formats as Windows gives them; the native build's binding and the
// tests' reference.
class SwedishFormats final : public RegionalFormats {
 public:
  char DecimalSeparator() const override { return ','; }
  std::string ShortDateFormat() const override { return "yyyy-MM-dd"; }
  std::string LongDateFormat() const override { return "dddd d MMMM yyyy"; }
  char DateSeparator() const override { return '-'; }
  std::string MonthName(int month) const override;
  std::string ShortMonthName(int month) const override;
  std::string DayName(int day) const override;
  std::string ShortDayName(int day) const override;
};

}  // namespace vemra
