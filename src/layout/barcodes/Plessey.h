#pragma once
#include <string_view>

#include "layout/barcodes/BarcodeElements.h"

namespace vemra {

// Element widths in units: 36 units per character plus 252 in the length
// (the symbol itself needs 44 per character and runs past it).
inline constexpr uint8_t kPlesseyNarrow = 2;
inline constexpr uint8_t kPlesseyWide = 7;
inline constexpr int kPlesseyMargin = 8;

// The value of a character as a 4-bit hexadecimal digit; anything that is
// not 0-9 or A-F (after upper-casing) counts as 0.
int PlesseyNibble(char c);

// Start "B", each character's 4 bits least significant first (1: wide bar,
// narrow space, narrow space; 0: narrow bar, wide space, narrow space),
// then the termination. Check characters are part of the text.
BarElements EncodePlessey(std::string_view text);

}  // namespace vemra
