// Text widths from GDI, as the printer's canvas measures them.
#include "TextMeasure.h"
#include "layout/render/win32/GdiCanvas.h"

namespace vemra {
namespace {

class GdiTextMeasure final : public TextMeasure {
 public:
  int Width(const FontSpec& font, int characterExtra, const std::string& text) override {
    canvas_.SetFont(font);
    canvas_.SetCharacterExtra(characterExtra);
    return canvas_.TextWidth(text);
  }
  FontMetrics Metrics(const FontSpec& font) override {
    canvas_.SetFont(font);
    return canvas_.Metrics();
  }

 private:
  // Fonts are made in pixels, so any device context measures alike.
  GdiBitmapCanvas canvas_{1, 1};
};

}  // namespace

std::unique_ptr<TextMeasure> MakeTextMeasure() { return std::make_unique<GdiTextMeasure>(); }

}  // namespace vemra
