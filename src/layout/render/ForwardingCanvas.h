#pragma once
// A canvas that passes every call to another; a canvas that differs in a
// few calls (the resolution it reports, what it measures) derives from it.
#include "layout/render/Canvas.h"

namespace vemra {

template <typename Base = Canvas>
class ForwardingCanvas : public Base {
 public:
  // `target` is only stored here, so it may still be under construction.
  explicit ForwardingCanvas(Canvas& target) : target_(target) {}

  void SetFont(const FontSpec& font) override { target_.SetFont(font); }
  const FontSpec& Font() const override { return target_.Font(); }
  void SetPen(const PenSpec& pen) override { target_.SetPen(pen); }
  const PenSpec& Pen() const override { return target_.Pen(); }
  void SetBrush(const BrushSpec& brush) override { target_.SetBrush(brush); }
  const BrushSpec& Brush() const override { return target_.Brush(); }
  void SetCharacterExtra(int pixels) override { target_.SetCharacterExtra(pixels); }
  int TextWidth(const std::string& text) override { return target_.TextWidth(text); }
  FontMetrics Metrics() override { return target_.Metrics(); }
  void TextOut(int x, int y, const std::string& text) override { target_.TextOut(x, y, text); }
  void DrawFormattedText(const PixelRect& box, const std::string& text, unsigned format) override {
    target_.DrawFormattedText(box, text, format);
  }
  void Rectangle(const PixelRect& box) override { target_.Rectangle(box); }
  void Ellipse(const PixelRect& box) override { target_.Ellipse(box); }
  void Line(int x1, int y1, int x2, int y2) override { target_.Line(x1, y1, x2, y2); }
  void FillRect(const PixelRect& box, ColourValue colour) override { target_.FillRect(box, colour); }
  void StretchDraw(const PixelRect& box, const Bitmap& picture) override {
    target_.StretchDraw(box, picture);
  }
  void StretchDraw(const PixelRect& box, const Metafile& picture) override {
    target_.StretchDraw(box, picture);
  }
  bool TransferBits(const PixelRect& box, const Bitmap& picture, bool andCombine) override {
    return target_.TransferBits(box, picture, andCombine);
  }
  Bitmap CopyArea(const PixelRect& area) override { return target_.CopyArea(area); }
  bool AlphaBlend(const PixelRect& box, const Bitmap& picture, int alpha) override {
    return target_.AlphaBlend(box, picture, alpha);
  }
  int DeviceCaps(DeviceCap cap) const override { return target_.DeviceCaps(cap); }

 private:
  Canvas& target_;
};

}  // namespace vemra
