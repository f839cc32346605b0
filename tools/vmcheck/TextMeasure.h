#pragma once
// How wide a text is in a font, for the overflow checks. The Windows build
// asks GDI, as the printer's canvas does; the native build estimates from
// Arial's advance widths, close enough to tell a text that overflows.
#include <memory>
#include <string>

#include "layout/render/Canvas.h"

namespace vemra {

class TextMeasure {
 public:
  virtual ~TextMeasure() = default;
  // Upright, in pixels, `characterExtra` pixels after every character.
  virtual int Width(const FontSpec& font, int characterExtra, const std::string& text) = 0;
  virtual FontMetrics Metrics(const FontSpec& font) = 0;
};

// Arial's widths whatever the face; bold about 7 % wider.
std::unique_ptr<TextMeasure> MakeEstimatingMeasure();

// The platform's own measure where there is one, else the estimate.
std::unique_ptr<TextMeasure> MakeTextMeasure();

}  // namespace vemra
