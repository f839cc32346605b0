#pragma once
// Canvas over a GDI device context: a printer's page or a memory bitmap.
// Pens, brushes and fonts are made when first needed, selected only for
// the call that draws and put back afterwards, so the device is left as
// found between calls and owns none of our objects.
#include <windows.h>
// windows.h maps TextOut to TextOutA/W; the Canvas member keeps its name.
// Include this header before Canvas.h wherever both are needed.
#undef TextOut

#include <memory>
#include <string>

#include "layout/Canvas.h"

namespace vemra {

class GdiCanvas : public Canvas {
 public:
  // Does not take ownership of `dc`.
  explicit GdiCanvas(HDC dc);
  ~GdiCanvas() override;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  HDC Dc() const { return dc_; }

  void SetFont(const FontSpec& font) override;
  const FontSpec& Font() const override { return font_; }
  void SetPen(const PenSpec& pen) override;
  const PenSpec& Pen() const override { return pen_; }
  void SetBrush(const BrushSpec& brush) override;
  const BrushSpec& Brush() const override { return brush_; }
  void SetCharacterExtra(int pixels) override { characterExtra_ = pixels; }

  int TextWidth(const std::string& text) override;
  FontMetrics Metrics() override;
  void TextOut(int x, int y, const std::string& text) override;
  void DrawFormattedText(const PixelRect& box, const std::string& text, unsigned format) override;

  void Rectangle(const PixelRect& box) override;
  void Ellipse(const PixelRect& box) override;
  void Line(int x1, int y1, int x2, int y2) override;
  void FillRect(const PixelRect& box, ColourValue colour) override;

  void StretchDraw(const PixelRect& box, const Bitmap& picture) override;
  void StretchDraw(const PixelRect& box, const Metafile& picture) override;
  bool TransferBits(const PixelRect& box, const Bitmap& picture, bool andCombine) override;

  Bitmap CopyArea(const PixelRect& area) override;
  bool AlphaBlend(const PixelRect& box, const Bitmap& picture, int alpha) override;

  int DeviceCaps(DeviceCap cap) const override;

 private:
  class Objects;
  HFONT FontHandle(bool turned);
  HPEN PenHandle();
  HBRUSH BrushHandle();
  void ReleaseFont();
  void ReleasePen();
  void ReleaseBrush();

  HDC dc_;
  FontSpec font_;
  PenSpec pen_;
  BrushSpec brush_;
  int characterExtra_ = 0;
  HFONT font_handle_ = nullptr;      // with the escapement
  HFONT upright_handle_ = nullptr;   // without it, for measuring
  HPEN pen_handle_ = nullptr;
  HBRUSH brush_handle_ = nullptr;
};

// A GdiCanvas drawing on its own white 24-bit w x h bitmap.
class BitmapCanvas : public GdiCanvas {
 public:
  // Throws std::runtime_error when GDI cannot make the bitmap.
  BitmapCanvas(int width, int height);
  ~BitmapCanvas() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The pixels drawn so far.
  Bitmap Pixels() const;

 private:
  static HDC MakeDc();
  int width_, height_;
  HBITMAP section_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  void* bits_ = nullptr;
};

std::unique_ptr<BitmapCanvas> MakeBitmapCanvas(int width, int height);

// Windows-1252 text as UTF-16 for the W functions.
std::wstring WideFromCp1252(const std::string& text);

}  // namespace vemra
