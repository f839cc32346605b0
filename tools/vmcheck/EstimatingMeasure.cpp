#include <cmath>
#include <cstdlib>

#include "TextMeasure.h"

namespace vemra {
namespace {

// Advance widths of Arial (metric-compatible with Helvetica) in 1/1000 em
// for the characters 32 to 126.
constexpr short kAsciiWidths[95] = {
    278,  278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,  // ' '-'/'
    556,  556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,  // '0'-'?'
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,  // '@'-'O'
    667,  778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,  // 'P'-'_'
    333,  556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,  // '`'-'o'
    556,  556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584,       // 'p'-'~'
};

// Windows-1252 letters above 127 as the ASCII letter of the same width.
char WidthTwin(unsigned char c) {
  if (c >= 0xC0 && c <= 0xC5) return 'A';
  if (c == 0xC6) return 'W';
  if (c == 0xC7) return 'C';
  if (c >= 0xC8 && c <= 0xCB) return 'E';
  if (c >= 0xD2 && c <= 0xD6) return 'O';
  if (c >= 0xD9 && c <= 0xDC) return 'U';
  if (c >= 0xE0 && c <= 0xE5) return 'a';
  if (c >= 0xE8 && c <= 0xEB) return 'e';
  if (c >= 0xF2 && c <= 0xF6) return 'o';
  if (c >= 0xF9 && c <= 0xFC) return 'u';
  return 'n';
}

int EmOf(const FontSpec& font) { return font.height == 0 ? 16 : std::abs(font.height); }

class EstimatingMeasure final : public TextMeasure {
 public:
  int Width(const FontSpec& font, int characterExtra, const std::string& text) override {
    double units = 0;
    for (char ch : text) {
      auto c = static_cast<unsigned char>(ch);
      if (c > 126) c = static_cast<unsigned char>(WidthTwin(c));
      units += c >= 32 ? kAsciiWidths[c - 32] : 0;
    }
    if (font.bold) units *= 1.07;
    return int(std::lround(units * EmOf(font) / 1000.0)) + characterExtra * int(text.size());
  }
  FontMetrics Metrics(const FontSpec& font) override {
    const int em = EmOf(font);
    const int ascent = int(std::lround(em * 0.905));
    return {ascent + int(std::lround(em * 0.212)), ascent};
  }
};

}  // namespace

std::unique_ptr<TextMeasure> MakeEstimatingMeasure() {
  return std::make_unique<EstimatingMeasure>();
}

}  // namespace vemra
