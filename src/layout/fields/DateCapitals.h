#pragma once
// Month and day names come lower-case from the regional formats; a date
// format may ask for them capitalised ("Mmmm") or in capitals ("MMMM").
#include <string>
#include <string_view>

#include "base/AnsiCase.h"
#include "base/FormatDateTime.h"

namespace vemra {

// Rewrites the names of `when`'s month and day in `text` as `written` (the
// format before lower-casing) asks for them.
std::string CapitaliseDateNames(std::string text, std::string_view written,
                                const DateTime& when, const RegionalFormats& formats);

}  // namespace vemra
