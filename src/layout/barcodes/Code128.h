#pragma once
#include <string_view>
#include <vector>

#include "layout/barcodes/BarcodeElements.h"

namespace vemra {

// Symbol values with a meaning of their own (ISO/IEC 15417, Table 1).
enum Code128Value : int {
  kCode128Shift = 98,
  kCode128CodeC = 99,
  kCode128CodeB = 100,  // FNC4 while in set B
  kCode128CodeA = 101,  // FNC4 while in set A
  kCode128Fnc1 = 102,
  kCode128StartA = 103,
  kCode128StartB = 104,
  kCode128StartC = 105,
  kCode128Stop = 106,
};

// Longest symbol we produce, start, check and stop included. Past this the
// modules get too thin to print or scan, so a longer text is not encoded
// at all (an empty result: nothing is drawn) rather than cut short, which
// would put wrong data on the card.
inline constexpr size_t kCode128MaxSymbols = 256;

// The symbol values for a text: start, FNC1 for EAN-128, data, check, stop.
//
// Sets: a run of 4 or more digits goes to set C as pairs; other characters
// go to set A or B by the first character ahead that only one of them can
// encode (a control character: A; code 96 or more: B; none: B), with SHIFT
// for a single character of the other set when the set after it stays.
//
// Characters above 127 have no value of their own. They are written as
// FNC4 followed by the character 128 lower, the standard's extended-ASCII
// form, and choose their set by that lower character. A reader that knows
// FNC4 gets the Windows-1252 byte back (the upper half of ISO/IEC 8859-1
// for the letters that matter here).
//
// Returns an empty list when the text is empty or needs more than
// kCode128MaxSymbols symbols.
std::vector<int> Code128Values(std::string_view text, bool ean128);

// The elements of a value sequence: 6 per symbol, 7 for the stop, bar
// first, widths in modules. Throws std::out_of_range for a value above 106.
BarElements Code128Elements(const std::vector<int>& values);

inline BarElements EncodeCode128(std::string_view text, bool ean128) {
  return Code128Elements(Code128Values(text, ean128));
}

}  // namespace vemra
