#pragma once
// Mod-10 check digits of card numbers and barcodes.
#include <string>
#include <string_view>

namespace vemra {

// Variant 1 (or 0 and below) Luhn, 2 weights 3 and 1 (EAN/UPC), any other
// weights 2 and 1 without digit reduction. One digit, or empty for an empty
// input or one with a character that is not a digit.
std::string CheckDigitMod10(std::string_view digits, int variant);

}  // namespace vemra
