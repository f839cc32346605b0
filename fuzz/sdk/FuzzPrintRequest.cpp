// The print request's normalisation of the host's permit number and
// valid-until date: any texts give a result or a refusal, and what comes
// out is what the card's fields are built from.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/RegionalFormats.h"
#include "sdk/PrintRequest.h"

using namespace vemra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = std::min(input.find('\0'), input.size());
  const std::string_view permit = input.substr(0, split);
  const std::string_view date = input.substr(std::min(split + 1, input.size()));

  if (const std::optional<std::string> p = NormalisePermitNumber(permit)) {
    // Fourteen or sixteen characters, and normalising again changes
    // nothing. The host's number is otherwise taken as given: a signed
    // running number ("+1") is padded as text, and the running number lies
    // between the first two dashes only when the code has its dash.
    if (p->size() != 14 && p->size() != 16) std::abort();
    const bool digits = p->substr(5, 5).find_first_not_of("0123456789") == std::string::npos;
    if (digits && NormalisePermitNumber(*p) != p) std::abort();
    if (p->find('-') == 4 && p->find('-', 5) == 10 && RunningNumberOf(*p).size() != 5) std::abort();
    BarcodeNumberOf(*p);
  }
  const std::string year = BirthYearOf(permit);
  if (!year.empty() && (year.rfind("19", 0) != 0 || year.size() > 4)) std::abort();
  if (UpperCaseSwedish(permit).size() != permit.size()) std::abort();
  PadLeftZeros(permit.size() % 8, permit);

  static const SwedishFormats formats;
  const std::string iso = FormatValidDate(date, 1, formats);
  const std::string eu = FormatValidDate(date, 0, formats);
  // One date, both forms, or none.
  if (iso.empty() != eu.empty()) std::abort();
  if (!iso.empty() && (iso.size() != 10 || FormatValidDate(iso, 1, formats) != iso)) std::abort();
  return 0;
}
