#pragma once
#include <string>
#include <string_view>

#include "layout/barcodes/BarcodeElements.h"

namespace vemra {

// Element widths in units: 20 units per digit plus 40 in the length.
inline constexpr uint8_t kI2of5Narrow = 2;
inline constexpr uint8_t kI2of5Wide = 7;
inline constexpr int kI2of5Margin = 8;

// The digits of a barcode text: everything but 0-9 removed.
std::string Interleaved2of5Digits(std::string_view text);

// Start, digit pairs (first digit in the bars, second in the spaces),
// stop. An odd count of digits gets a leading "0"; anything that is not
// a digit is left out, as the symbology has no way to show it.
BarElements EncodeInterleaved2of5(std::string_view text);

}  // namespace vemra
