#pragma once
// A software canvas over a 24-bit bitmap for pixel tests of what draws
// through a Canvas: areas, bitmaps and blends are exact; texts and shapes
// other than FillRect draw nothing.
#include <algorithm>

#include "layout/render/Canvas.h"
#include "layout/render/PartialOpacity.h"
#include "layout/render/PictureEffects.h"

namespace vemra {

class BitmapTestCanvas : public Canvas {
 public:
  BitmapTestCanvas(int width, int height, ColourValue fill = 0xFFFFFF) : surface(width, height) {
    FillRect({0, 0, width, height}, fill);
  }

  Bitmap surface;

  ColourValue At(int x, int y) const {
    const std::uint8_t* p = surface.Row(y) + 3 * x;
    return MakeColour(p[2], p[1], p[0]);
  }

  void SetFont(const FontSpec& font) override { font_ = font; }
  const FontSpec& Font() const override { return font_; }
  void SetPen(const PenSpec& pen) override { pen_ = pen; }
  const PenSpec& Pen() const override { return pen_; }
  void SetBrush(const BrushSpec& brush) override { brush_ = brush; }
  const BrushSpec& Brush() const override { return brush_; }
  void SetCharacterExtra(int) override {}
  int TextWidth(const std::string& text) override { return int(text.size()) * 8; }
  FontMetrics Metrics() override { return {16, 13}; }
  void TextOut(int, int, const std::string&) override {}
  void DrawFormattedText(const PixelRect&, const std::string&, unsigned) override {}
  void Rectangle(const PixelRect&) override {}
  void Ellipse(const PixelRect&) override {}
  void Line(int, int, int, int) override {}

  void FillRect(const PixelRect& box, ColourValue colour) override {
    const PixelRect r = Clip(box);
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        std::uint8_t* p = surface.Row(y) + 3 * x;
        p[0] = std::uint8_t(BlueOf(colour)), p[1] = std::uint8_t(GreenOf(colour)), p[2] = std::uint8_t(RedOf(colour));
      }
  }

  void StretchDraw(const PixelRect& box, const Bitmap& picture) override {
    Bitmap area = CopyArea(box);
    DrawOver(area, picture);
    Put(box, area);
  }
  void StretchDraw(const PixelRect&, const Metafile&) override {}
  bool TransferBits(const PixelRect& box, const Bitmap& picture, bool) override {
    Bitmap opaque = picture;
    opaque.transparent = false;
    StretchDraw(box, opaque);
    return true;
  }

  Bitmap CopyArea(const PixelRect& area) override {
    if (area.Width() <= 0 || area.Height() <= 0) return {};
    Bitmap out(area.Width(), area.Height());
    for (int y = 0; y < out.Height(); ++y)
      for (int x = 0; x < out.Width(); ++x) {
        const int sx = area.left + x, sy = area.top + y;
        const bool inside = sx >= 0 && sy >= 0 && sx < surface.Width() && sy < surface.Height();
        for (int c = 0; c < 3; ++c) out.Row(y)[3 * x + c] = inside ? surface.Row(sy)[3 * sx + c] : 0xFF;
      }
    return out;
  }

  bool AlphaBlend(const PixelRect& box, const Bitmap& picture, int alpha) override {
    Bitmap area = CopyArea(box);
    Bitmap stretched(box.Width(), box.Height());
    DrawOver(stretched, picture);
    BlendConstantAlpha(area, stretched, alpha);
    Put(box, area);
    return true;
  }

  int DeviceCaps(DeviceCap cap) const override {
    return cap == DeviceCap::LogPixelsX || cap == DeviceCap::LogPixelsY ? 96 : 0;
  }

 private:
  PixelRect Clip(const PixelRect& r) const {
    return {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, surface.Width()),
            std::min(r.bottom, surface.Height())};
  }
  void Put(const PixelRect& box, const Bitmap& area) {
    for (int y = 0; y < area.Height(); ++y)
      for (int x = 0; x < area.Width(); ++x) {
        const int dx = box.left + x, dy = box.top + y;
        if (dx < 0 || dy < 0 || dx >= surface.Width() || dy >= surface.Height()) continue;
        for (int c = 0; c < 3; ++c) surface.Row(dy)[3 * dx + c] = area.Row(y)[3 * x + c];
      }
  }

  FontSpec font_;
  PenSpec pen_;
  BrushSpec brush_;
};

}  // namespace vemra
