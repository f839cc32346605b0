#pragma once
// A canvas that keeps every call, with the font, pen and brush of the
// moment, in device pixels. Text metrics are fixed functions of the font
// height so that layout geometry has exact expectations:
//   width of a text = characters x (|height| / 2 + character extra)
//   line height = |height| x 5 / 4, ascent = |height|
// It also paints fills, straight one-pixel lines, bitmaps and blends into
// a white surface, so that what semi-transparent objects read back, and
// barcodes, are real.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "layout/render/LayoutDrawer.h"
#include "layout/render/RenderEnvironment.h"

namespace vemra {

struct CanvasCall {
  enum Kind {
    Text, FormattedText, Rectangle, Ellipse, Line, FillRect, StretchBitmap, StretchMetafile,
    TransferBits, AlphaBlend, CharacterExtra,
  };
  Kind kind;
  PixelRect box{};  // the rectangle of shapes, fills, pictures and blends
  int x = 0, y = 0, x2 = 0, y2 = 0;  // where a text starts; a line's ends
  std::string text{};
  unsigned format = 0;
  ColourValue colour = 0;            // FillRect
  int pictureWidth = 0, pictureHeight = 0;
  bool andCombine = false;
  int alpha = 0;
  int characterExtra = 0;            // in force for a text; the value set otherwise
  FontSpec font{};
  PenSpec pen{};
  BrushSpec brush{};
};

class RecordingCanvas : public BitmapCanvas {
 public:
  explicit RecordingCanvas(int dpi = 300, int width = 1200, int height = 1200);
  RecordingCanvas(const Bitmap& surface, int dpi);

  // Shared so that a canvas the renderer owns and drops can still be read.
  std::shared_ptr<std::vector<CanvasCall>> log = std::make_shared<std::vector<CanvasCall>>();
  std::map<DeviceCap, int> caps;
  bool refuseTransfer = false;
  // A printer: CopyArea reads white, as from a device that cannot be read.
  bool unreadable = false;

  const std::vector<CanvasCall>& Calls() const { return *log; }
  std::vector<CanvasCall> Of(CanvasCall::Kind kind) const;
  ColourValue At(int x, int y) const;

  void SetFont(const FontSpec& font) override { font_ = font; }
  const FontSpec& Font() const override { return font_; }
  void SetPen(const PenSpec& pen) override { pen_ = pen; }
  const PenSpec& Pen() const override { return pen_; }
  void SetBrush(const BrushSpec& brush) override { brush_ = brush; }
  const BrushSpec& Brush() const override { return brush_; }
  void SetCharacterExtra(int pixels) override;
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
  const Bitmap& Pixels() override { return surface_; }

 private:
  CanvasCall& Record(CanvasCall::Kind kind);
  void Put(const PixelRect& box, const Bitmap& area);
  void Paint(const PixelRect& box, ColourValue colour);

  Bitmap surface_;
  FontSpec font_;
  PenSpec pen_;
  BrushSpec brush_;
  int characterExtra_ = 0;
};

// Makes recording canvases over the renderer's bitmaps, at `dpi`, and keeps
// their logs and sizes.
struct RecordingCanvasFactory {
  int dpi = 300;
  std::vector<std::shared_ptr<std::vector<CanvasCall>>> logs;
  std::vector<PixelSize> sizes;
  BitmapCanvasFactory Bind();
};

}  // namespace vemra
