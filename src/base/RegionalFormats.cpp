#include "base/RegionalFormats.h"

#include "base/Cp1252.h"

namespace vemra {
namespace {

const char* const kMonths[12] = {"januari", "februari", "mars",     "april",
                                 "maj",     "juni",     "juli",     "augusti",
                                 "september", "oktober", "november", "december"};
const char* const kShortMonths[12] = {"jan", "feb", "mar", "apr", "maj", "jun",
                                      "jul", "aug", "sep", "okt", "nov", "dec"};
const char* const kDays[7] = {"söndag", "måndag", "tisdag", "onsdag",
                              "torsdag", "fredag", "lördag"};
const char* const kShortDays[7] = {"sön", "mån", "tis", "ons", "tor", "fre", "lör"};

std::string Pick(const char* const* names, int count, int index) {
  return index >= 1 && index <= count ? Ansi(names[index - 1]) : std::string();
}

}  // namespace

std::string SwedishFormats::MonthName(int m) const { return Pick(kMonths, 12, m); }
std::string SwedishFormats::ShortMonthName(int m) const { return Pick(kShortMonths, 12, m); }
std::string SwedishFormats::DayName(int d) const { return Pick(kDays, 7, d); }
std::string SwedishFormats::ShortDayName(int d) const { return Pick(kShortDays, 7, d); }

}  // namespace vemra
