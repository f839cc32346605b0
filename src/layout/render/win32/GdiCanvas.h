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

#include "layout/render/Canvas.h"
#include "layout/render/ForwardingCanvas.h"
#include "layout/render/RenderEnvironment.h"

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

// The renderer's bitmap canvas drawn by GDI on a 24-bit DIB section of its
// own, starting white or as a copy of a picture; every drawing call goes to
// a GDI canvas on that bitmap.
class GdiBitmapCanvas : public ForwardingCanvas<BitmapCanvas> {
 public:
  // Both throw std::runtime_error when GDI cannot make the bitmap,
  // PictureRefused when the picture budget cannot hold it.
  GdiBitmapCanvas(int width, int height);
  explicit GdiBitmapCanvas(const Bitmap& initial);
  ~GdiBitmapCanvas() override;

  int Width() const { return surface_.width; }
  int Height() const { return surface_.height; }
  HDC Dc() const { return surface_.dc; }
  // The pixels drawn so far; the reference stays valid until the next call.
  const Bitmap& Pixels() override;


 private:
  // Made before the canvas that draws on it, freed after.
  struct Surface {
    Surface(int width, int height);
    ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    int width, height;
    PictureLease lease;  // the section's bytes, refused before GDI is asked
    HDC dc = nullptr;
    HBITMAP section = nullptr;
    HGDIOBJ oldBitmap = nullptr;
    std::uint8_t* bits = nullptr;
  };
  Surface surface_;
  GdiCanvas gdi_;
  Bitmap pixels_;
};

// A BitmapCanvasFactory for the renderer.
std::unique_ptr<BitmapCanvas> MakeGdiBitmapCanvas(const Bitmap& initial);

// Windows-1252 text as UTF-16 for the W functions.
std::wstring WideFromCp1252(const std::string& text);

}  // namespace vemra
