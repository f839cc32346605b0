#include "layout/barcodes/Interleaved2of5.h"

namespace vemra {
namespace {

// ISO/IEC 16390, Table 1: the five elements of each digit, two wide.
constexpr const char* kDigitPatterns[10] = {
    "nnwwn", "wnnnw", "nwnnw", "wwnnn", "nnwnw",
    "wnwnn", "nwwnn", "nnnww", "wnnwn", "nwnwn",
};

uint8_t Width(char nw) { return nw == 'w' ? kI2of5Wide : kI2of5Narrow; }

}  // namespace

std::string Interleaved2of5Digits(std::string_view text) {
  std::string digits;
  for (char c : text)
    if (c >= '0' && c <= '9') digits += c;
  return digits;
}

BarElements EncodeInterleaved2of5(std::string_view text) {
  std::string digits = Interleaved2of5Digits(text);
  if (digits.size() % 2) digits.insert(digits.begin(), '0');

  BarElements out;
  out.reserve(digits.size() * 5 + 7);
  // Start: narrow bar, narrow space, narrow bar, narrow space.
  for (int i = 0; i < 4; ++i) out.push_back({i % 2 == 0, kI2of5Narrow});
  for (size_t i = 0; i < digits.size(); i += 2) {
    const char* bars = kDigitPatterns[digits[i] - '0'];
    const char* spaces = kDigitPatterns[digits[i + 1] - '0'];
    for (int k = 0; k < 5; ++k) {
      out.push_back({true, Width(bars[k])});
      out.push_back({false, Width(spaces[k])});
    }
  }
  // Stop: wide bar, narrow space, narrow bar.
  out.push_back({true, kI2of5Wide});
  out.push_back({false, kI2of5Narrow});
  out.push_back({true, kI2of5Narrow});
  return out;
}

}  // namespace vemra
