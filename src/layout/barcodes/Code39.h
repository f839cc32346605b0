#pragma once
#include <string_view>

#include "layout/barcodes/BarcodeElements.h"

namespace vemra {

// Element widths in units: the length of the object is divided into
// 29 units per character plus 116 (start, stop and the two margins).
inline constexpr uint8_t kCode39Narrow = 2;
inline constexpr uint8_t kCode39Wide = 5;
inline constexpr int kCode39Margin = 29;

// "*" + text + "*", upper-cased; each character is followed by a narrow
// gap, the stop included. Characters outside the 43-character set,
// "*" among them, become 9 narrow elements.
BarElements EncodeCode39(std::string_view text);

}  // namespace vemra
