#pragma once
// The format written after "[DB]" in a field reference.
#include <string>
#include <string_view>

#include "base/RegionalFormats.h"

namespace vemra {

// Padding never makes a text longer than this: a width in a layout is a
// card field, and a hostile one must not allocate gigabytes.
constexpr int kMaxFieldWidth = 1000;

// Empty format: the value. "Date|fmt": the value as an ISO date formatted by
// fmt. "n": cut to or padded to |n| characters. "from,count[&search,repl]":
// a part of the value with an optional replacement.
std::string FormatFieldValue(std::string_view format, std::string_view value,
                             const RegionalFormats& formats);

// A date field formatted with the date codes (the part after "Date|"),
// capitalising month and day names where fmt writes them "Mmmm", "MMMM" and
// so on. Empty when the value is not a date.
std::string FormatDateField(std::string_view fmt, std::string_view value,
                            const RegionalFormats& formats);

}  // namespace vemra
