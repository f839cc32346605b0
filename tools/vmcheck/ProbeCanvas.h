#pragma once
// A canvas that draws nothing and keeps where each call would have put
// ink, so that what one record draws can be held against its box.
#include <vector>

#include "TextMeasure.h"
#include "layout/render/Canvas.h"

namespace vemra {

struct Ink {
  enum Kind { Text, Bar, Shape, Picture };
  Kind kind;
  PixelRect area;
  int pictureWidth = 0, pictureHeight = 0;  // of a bitmap drawn
};

class ProbeCanvas final : public Canvas {
 public:
  ProbeCanvas(TextMeasure& measure, int dpi) : measure_(measure), dpi_(dpi) {}

  const std::vector<Ink>& Inks() const { return inks_; }
  // Bars that come out no pixel wide.
  int VanishedBars() const { return vanishedBars_; }
  void Clear() { inks_.clear(), vanishedBars_ = 0; }

  void SetFont(const FontSpec& font) override { font_ = font; }
  const FontSpec& Font() const override { return font_; }
  void SetPen(const PenSpec& pen) override { pen_ = pen; }
  const PenSpec& Pen() const override { return pen_; }
  void SetBrush(const BrushSpec& brush) override { brush_ = brush; }
  const BrushSpec& Brush() const override { return brush_; }
  void SetCharacterExtra(int pixels) override { extra_ = pixels; }
  int TextWidth(const std::string& text) override;
  FontMetrics Metrics() override { return measure_.Metrics(font_); }
  void TextOut(int x, int y, const std::string& text) override;
  void DrawFormattedText(const PixelRect& box, const std::string& text, unsigned format) override;
  void Rectangle(const PixelRect& box) override { Add(Ink::Shape, box); }
  void Ellipse(const PixelRect& box) override { Add(Ink::Shape, box); }
  void Line(int x1, int y1, int x2, int y2) override;
  void FillRect(const PixelRect& box, ColourValue colour) override;
  void StretchDraw(const PixelRect& box, const Bitmap& picture) override;
  void StretchDraw(const PixelRect& box, const Metafile&) override { Add(Ink::Picture, box); }
  bool TransferBits(const PixelRect& box, const Bitmap& picture, bool) override;
  Bitmap CopyArea(const PixelRect& area) override;
  bool AlphaBlend(const PixelRect&, const Bitmap&, int) override { return true; }
  int DeviceCaps(DeviceCap cap) const override;

  // The lines a word-breaking box makes of a text: broken at blanks where
  // the next word would not fit, and at line breaks.
  std::vector<std::string> WrapLines(const std::string& text, int width);

 private:
  void Add(Ink::Kind kind, const PixelRect& area) { inks_.push_back({kind, area}); }

  TextMeasure& measure_;
  int dpi_;
  FontSpec font_;
  PenSpec pen_;
  BrushSpec brush_;
  int extra_ = 0;
  std::vector<Ink> inks_;
  int vanishedBars_ = 0;
};

}  // namespace vemra
