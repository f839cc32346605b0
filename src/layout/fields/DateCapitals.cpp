#include "layout/fields/DateCapitals.h"

#include "base/AnsiCase.h"
#include "base/Text.h"

namespace vemra {
namespace {

enum class Case { kAsIs, kCapitalised, kCapitals };

// How a run of `letter`s of `length` letters is written in the format: the
// letters "Xxxx" ask for a capitalised name, "XXXX" for capitals.
Case RequestedCase(std::string_view written, char letter, std::size_t length) {
  const char upper = UpperAscii(letter);
  std::string capitalised = std::string(1, upper) + std::string(length - 1, letter);
  std::string capitals(length, upper);
  Case requested = Case::kAsIs;
  std::size_t i = 0;
  while (i < written.size()) {
    std::size_t run = 0;
    while (i + run < written.size() && LowerAscii(written[i + run]) == letter) ++run;
    if (run == 0) {
      ++i;
      continue;
    }
    std::string_view part = written.substr(i, run);
    // "Mmm" inside "Mmmm" is the long name, not a request for the short one.
    if (run == length || (length == 4 && run > 4)) {
      if (part.substr(0, length) == capitalised) requested = Case::kCapitalised;
      if (part.substr(0, length) == capitals) requested = Case::kCapitals;
    }
    i += run;
  }
  return requested;
}

std::string Apply(std::string text, const std::string& name, Case requested) {
  std::string lower = LowerAnsi(name);
  if (lower.empty() || requested == Case::kAsIs) return text;
  std::string wanted = requested == Case::kCapitals ? UpperAnsi(lower) : lower;
  if (requested == Case::kCapitalised) wanted[0] = UpperAnsiChar(wanted[0]);
  return ReplaceAll(text, lower, wanted);
}

// The long name unless the short one is asked for too: the short name is
// what the format shows last.
std::string ApplyNames(std::string text, std::string_view written, char letter,
                       const std::string& longName, const std::string& shortName) {
  Case shortCase = RequestedCase(written, letter, 3);
  if (shortCase != Case::kAsIs) return Apply(std::move(text), shortName, shortCase);
  return Apply(std::move(text), longName, RequestedCase(written, letter, 4));
}

}  // namespace

std::string CapitaliseDateNames(std::string text, std::string_view written,
                                const DateTime& when, const RegionalFormats& formats) {
  int weekday = DayOfWeek(when.year, when.month, when.day);
  text = ApplyNames(std::move(text), written, 'm', formats.MonthName(when.month),
                    formats.ShortMonthName(when.month));
  return ApplyNames(std::move(text), written, 'd', formats.DayName(weekday),
                    formats.ShortDayName(weekday));
}

}  // namespace vemra
