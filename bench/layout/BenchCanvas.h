#pragma once
// A software canvas at a chosen resolution for timing the renderer natively:
// the pixel test canvas, plus filled rectangles and ellipses so that shapes
// cost what they cost on a bitmap. Texts still draw nothing: natively there
// is no font rasteriser, so glyphs are timed only in the Windows program.
#include <algorithm>
#include <cmath>
#include <memory>

#include "layout/render/ForwardingCanvas.h"
#include "layout/BitmapTestCanvas.h"
#include "layout/render/RenderEnvironment.h"

namespace vemra::bench {

class BenchCanvas final : public ForwardingCanvas<BitmapCanvas> {
 public:
  BenchCanvas(int width, int height, int dpi)
      : ForwardingCanvas(pixels_), pixels_(width, height), dpi_(dpi) {}
  BenchCanvas(const Bitmap& initial, int dpi)
      : ForwardingCanvas(pixels_), pixels_(0, 0), dpi_(dpi) {
    pixels_.surface = initial;
  }

  const Bitmap& Pixels() override { return pixels_.surface; }

  void Rectangle(const PixelRect& box) override {
    const BrushSpec& brush = pixels_.Brush();
    const PenSpec& pen = pixels_.Pen();
    if (brush.style == BrushStyle::Solid) pixels_.FillRect(box, brush.colour);
    if (pen.style == PenStyle::Clear) return;
    const int w = pen.width;
    pixels_.FillRect({box.left, box.top, box.right, box.top + w}, pen.colour);
    pixels_.FillRect({box.left, box.bottom - w, box.right, box.bottom}, pen.colour);
    pixels_.FillRect({box.left, box.top, box.left + w, box.bottom}, pen.colour);
    pixels_.FillRect({box.right - w, box.top, box.right, box.bottom}, pen.colour);
  }
  // Filled span by span; the outline is left out, the fill is the cost.
  void Ellipse(const PixelRect& box) override {
    const BrushSpec& brush = pixels_.Brush();
    if (brush.style != BrushStyle::Solid || box.Width() <= 0 || box.Height() <= 0) return;
    const double a = box.Width() / 2.0, b = box.Height() / 2.0;
    for (int y = box.top; y < box.bottom; ++y) {
      const double dy = (y + 0.5 - box.top - b) / b;
      const int half = int(a * std::sqrt(std::max(0.0, 1 - dy * dy)));
      const int centre = box.left + int(a);
      pixels_.FillRect({centre - half, y, centre + half, y + 1}, brush.colour);
    }
  }
  int DeviceCaps(DeviceCap cap) const override {
    switch (cap) {
      case DeviceCap::LogPixelsX:
      case DeviceCap::LogPixelsY: return dpi_;
      case DeviceCap::BitsPixel: return 24;
      case DeviceCap::Planes: return 1;
      case DeviceCap::HorzRes:
      case DeviceCap::PhysicalWidth: return pixels_.surface.Width();
      case DeviceCap::VertRes:
      case DeviceCap::PhysicalHeight: return pixels_.surface.Height();
      default: return 0;
    }
  }

 private:
  BitmapTestCanvas pixels_;
  int dpi_;
};

// The renderer's shadow pictures and in-memory blends, at `dpi`.
inline BitmapCanvasFactory BenchCanvasFactory(int dpi) {
  return [dpi](const Bitmap& initial) -> std::unique_ptr<BitmapCanvas> {
    return std::make_unique<BenchCanvas>(initial, dpi);
  };
}

}  // namespace vemra::bench
