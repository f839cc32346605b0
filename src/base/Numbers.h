#pragma once
// Number texts of the settings file.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vemra {

// Decimal with an optional sign, or hexadecimal after "0x"/"0X" (text longer
// than two characters); nullopt for anything else or beyond 32 bits.
std::optional<std::int32_t> ParseIntegerText(std::string_view text);

// General float-to-text with up to 15 significant digits and the given
// decimal separator ("0", "1,5", "1,23456789012346E+20").
std::string FormatDecimal(double value, char separator);
// The inverse: accepts only `separator` as the decimal point.
std::optional<double> ParseDecimal(std::string_view text, char separator);

}  // namespace vemra
