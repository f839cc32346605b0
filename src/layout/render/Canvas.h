#pragma once
// Everything the renderer, the picture effects and the barcodes draw goes
// through a Canvas, in device pixels. GdiCanvas binds it to a printer or a
// bitmap on Windows; tests bind a recording canvas that keeps every call.
#include <string>

#include "imaging/Bitmap.h"
#include "imaging/Picture.h"

namespace vemra {

struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const PixelRect&) const = default;
};

struct FontSpec {
  std::string face = "Arial";  // Windows-1252
  int height = -16;            // negative: character height in pixels, as GDI's lfHeight
  bool bold = false;
  bool italic = false;
  ColourValue colour = 0;
  int escapement = 0;  // tenths of a degree counter-clockwise; orientation follows it
  bool operator==(const FontSpec&) const = default;
};

enum class PenStyle { Solid, Clear };
struct PenSpec {
  PenStyle style = PenStyle::Solid;
  ColourValue colour = 0;
  int width = 1;
  bool operator==(const PenSpec&) const = default;
};

// DiagonalHatch: lines from lower left to upper right.
enum class BrushStyle { Solid, Clear, DiagonalHatch };
struct BrushSpec {
  BrushStyle style = BrushStyle::Solid;
  ColourValue colour = 0xFFFFFF;
  bool operator==(const BrushSpec&) const = default;
};

struct FontMetrics {
  int height = 0;  // of one line
  int ascent = 0;
};

// Flags of DrawFormattedText, as the system's formatted-text drawing has them.
enum TextFormat : unsigned {
  kAlignLeft = 0,
  kAlignCentre = 1u << 0,
  kAlignRight = 1u << 1,
  kAlignVCentre = 1u << 2,
  kAlignBottom = 1u << 3,
  kWordBreak = 1u << 4,
  kNoPrefix = 1u << 5,
  kExpandTabs = 1u << 6,
};

enum class DeviceCap {
  LogPixelsX, LogPixelsY, BitsPixel, Planes, NumColors, HorzRes, VertRes,
  PhysicalWidth, PhysicalHeight, PhysicalOffsetX, PhysicalOffsetY,
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void SetFont(const FontSpec& font) = 0;
  virtual const FontSpec& Font() const = 0;
  virtual void SetPen(const PenSpec& pen) = 0;
  virtual const PenSpec& Pen() const = 0;
  virtual void SetBrush(const BrushSpec& brush) = 0;
  virtual const BrushSpec& Brush() const = 0;
  // Extra pixels between characters of the following texts.
  virtual void SetCharacterExtra(int pixels) = 0;

  // Measured in the current font without its escapement.
  virtual int TextWidth(const std::string& text) = 0;
  virtual FontMetrics Metrics() = 0;
  // Writes at (x, y), the text's upper left before turning by the font's
  // escapement, with a transparent background.
  virtual void TextOut(int x, int y, const std::string& text) = 0;
  virtual void DrawFormattedText(const PixelRect& box, const std::string& text,
                                 unsigned format) = 0;

  // Outlined with the pen and filled with the brush.
  virtual void Rectangle(const PixelRect& box) = 0;
  virtual void Ellipse(const PixelRect& box) = 0;
  virtual void Line(int x1, int y1, int x2, int y2) = 0;
  // A solid area in one colour, neither pen nor brush involved (barcode bars).
  virtual void FillRect(const PixelRect& box, ColourValue colour) = 0;

  // Stretches a bitmap (skipping its key colour when it is transparent) or
  // a metafile into `box`.
  virtual void StretchDraw(const PixelRect& box, const Bitmap& picture) = 0;
  virtual void StretchDraw(const PixelRect& box, const Metafile& picture) = 0;
  // Device-independent bit transfer of the whole picture into `box`,
  // combined by AND when `andCombine`; false on any error.
  virtual bool TransferBits(const PixelRect& box, const Bitmap& picture, bool andCombine) = 0;

  // A 24-bit copy of the area (white where the device cannot be read).
  virtual Bitmap CopyArea(const PixelRect& area) = 0;
  // Draws `picture` over `box` with constant alpha 0-255; false on error.
  virtual bool AlphaBlend(const PixelRect& box, const Bitmap& picture, int alpha) = 0;

  virtual int DeviceCaps(DeviceCap cap) const = 0;
};

}  // namespace vemra
