#pragma once
// The output of every barcode encoder: the bars and spaces of one symbol,
// in drawing order, each as a whole number of units (Code 39, Interleaved
// 2 of 5, Plessey) or modules (Code 128). Drawing scales them to pixels.
#include <cstdint>
#include <string_view>
#include <vector>

namespace vemra {

struct BarElement {
  bool bar;       // false: a space, left unpainted
  uint8_t width;  // units or modules
  bool operator==(const BarElement&) const = default;
};

using BarElements = std::vector<BarElement>;

// Appends a pattern written as element widths, bar first and alternating,
// e.g. "211214". Pattern tables are kept in this readable form.
inline void AppendWidths(BarElements& out, std::string_view widths, bool barFirst = true) {
  bool bar = barFirst;
  for (char w : widths) {
    out.push_back({bar, static_cast<uint8_t>(w - '0')});
    bar = !bar;
  }
}

// Sum of the widths: the symbol's length in units or modules.
inline int TotalWidth(const BarElements& elements) {
  int sum = 0;
  for (const auto& e : elements) sum += e.width;
  return sum;
}

}  // namespace vemra
