#pragma once
// Reading the fields of a layout record: "key" + value between TABs.
#include <stdexcept>
#include <string>
#include <string_view>

namespace vemra {

// A key value that does not convert to the number it must be; it ends the
// print job.
class LayoutValueError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The value of the first field starting with `key` (three letters, case
// matters), or empty. Values of top, lft, wid, hei and fsz are multiplied by
// `scale` and given back as a plain decimal number with `decimalSeparator`;
// they throw LayoutValueError when they are not numbers.
std::string GetLayoutValue(std::string_view key, std::string_view record, double scale = 1.0,
                           char decimalSeparator = '.');

// The value of a longer key written "name=value" (the picture effects'
// "ImFx=GrayScale"), matching the whole name so that "ImFx" does not find
// "ImFxLineSpace=".
std::string GetNamedLayoutValue(std::string_view name, std::string_view record);

// "," or "." as decimal separator; empty is 0. Throws LayoutValueError.
double ParseLayoutNumber(std::string_view text);
// A plain decimal 32-bit integer. Throws LayoutValueError, also when empty.
int ParseLayoutInteger(std::string_view text);
// As ParseLayoutInteger, but an empty text gives `fallback`.
int ParseLayoutIntegerOr(std::string_view text, int fallback);

}  // namespace vemra
