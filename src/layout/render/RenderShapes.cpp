// Shapes, card outlines of sheet layouts, and the barcode records.
#include "layout/render/LayoutRenderer.h"
#include "layout/fields/LayoutValues.h"
#include "layout/render/PixelRounding.h"
#include "layout/render/RenderPictures.h"
#include "layout/fields/DelimitedText.h"
#include "layout/barcodes/BarcodeDrawing.h"

namespace vemra {
namespace {

constexpr ColourValue kCardOutlineHatch = 12632256;

ColourValue ColourOf(int value) { return ColourValue(value) & 0xFFFFFF; }

int OpacityOf(const std::string& text) {
  int value = 0;
  return ToInt32(text, value) ? value : 100;
}

}  // namespace

void LayoutRenderer::DrawShape(const RecordDraw& draw) {
  const std::string_view record = draw.record;
  Canvas& canvas = draw.canvas;
  const int kind = ParseLayoutIntegerOr(GetLayoutValue("knd", record), 0);
  const int fill = ParseLayoutInteger(GetLayoutValue("bcl", record));
  const int outline = ParseLayoutInteger(GetLayoutValue("pcl", record));

  BrushSpec brush = canvas.Brush();
  if (fill == -1) {
    brush.style = BrushStyle::Clear;
  } else {
    brush.style = BrushStyle::Solid;
    brush.colour = ColourOf(fill);
  }
  PenSpec pen = canvas.Pen();
  pen.style = PenStyle::Solid;
  if (outline == -1) pen.style = PenStyle::Clear;
  else pen.colour = ColourOf(outline);

  // A pen width is a stroke on the card, not a position: unscaled.
  const std::string size = GetLayoutValue("psz", record);
  const double sizeMm = size.empty() ? 0.25 : ParseLayoutNumber(size);
  pen.width = std::max(1, ToPixelsX(sizeMm));
  if (sizeMm == 0) pen.colour = ColourOf(fill);  // -1, no fill, reads as white
  if (kind > 1) brush.style = BrushStyle::Clear;
  canvas.SetBrush(brush);
  canvas.SetPen(pen);

  const PixelRect box{draw.left, draw.top, draw.left + draw.width, draw.top + draw.height};
  const std::string opacity = GetLayoutValue("opa", record);
  if (!opacity.empty()) alpha_.SaveBackground(BackgroundOf(canvas), box);

  const int w = draw.width, h = draw.height;
  const auto shape = [&](Canvas& target, int l, int t) {
    switch (kind) {
      case 1: target.Ellipse({l, t, l + w, t + h}); break;
      case 2: target.Line(l, t + h / 2, l + w, t + h / 2); break;
      case 3: target.Line(l + w / 2, t, l + w / 2, t + h); break;
      case 4: target.Line(l, t, l + w, t + h); break;
      case 5: target.Line(l, t + h, l + w, t); break;
      default: target.Rectangle({l, t, l + w, t + h}); break;
    }
  };
  shape(canvas, draw.left, draw.top);

  if (!opacity.empty()) {
    if (!alpha_.BlendSavedBackground(OpacityOf(opacity), box, canvas))
      BlendInMemory(OpacityOf(opacity), box, canvas, [&](Canvas& copy) {
        copy.SetBrush(canvas.Brush());
        copy.SetPen(canvas.Pen());
        shape(copy, 0, 0);
      });
    alpha_.DiscardBackground();
  }
  brush = canvas.Brush();
  brush.style = BrushStyle::Clear;
  canvas.SetBrush(brush);
}

// For outputs that cannot blend (printer drivers without constant alpha):
// the object is drawn again into a copy of the saved background, blended
// there and laid over its box, so it comes out as translucent as on screen.
void LayoutRenderer::BlendInMemory(int opacity, const PixelRect& box, Canvas& canvas,
                                   const std::function<void(Canvas&)>& drawObject) {
  const Bitmap* saved = alpha_.SavedBackground();
  if (!saved || !env_.makeBitmapCanvas) return;
  try {
    std::unique_ptr<BitmapCanvas> copy = env_.makeBitmapCanvas(*saved);
    drawObject(*copy);
    Bitmap blended = copy->Pixels();
    copy.reset();
    if (alpha_.BlendBitmaps(opacity, blended, *saved)) {
      Picture picture;
      picture.SetBitmap(std::move(blended));
      StretchPictureInto(box, false, "", canvas, picture);
    }
  } catch (const std::exception&) {
    // No memory for the copy: the object stays as drawn, opaque.
  }
}

void LayoutRenderer::DrawCardOutline(const RecordDraw& draw) {
  Canvas& canvas = draw.canvas;
  const PenSpec savedPen = canvas.Pen();
  const BrushSpec savedBrush = canvas.Brush();
  canvas.SetPen({PenStyle::Solid, 0, savedPen.width});
  canvas.SetBrush({BrushStyle::DiagonalHatch, kCardOutlineHatch});
  const PixelRect box{draw.left, draw.top, draw.left + draw.width, draw.top + draw.height};
  canvas.Rectangle(box);

  FontSpec font;
  font.face = "Arial";
  font.height = -RoundHalfEven(scale_ * 36 * logPixelsY_ / 72.0);
  font.colour = 0;
  canvas.SetFont(font);
  const std::string label = GetLayoutValue("bak", draw.record) == "1" ? "B 1" : "F 1";
  const int x = draw.left + (draw.width - canvas.TextWidth(label)) / 2;
  const int y = draw.top + (draw.height - canvas.Metrics().height) / 2;
  canvas.TextOut(x, y, label);

  canvas.SetPen(savedPen);
  canvas.SetBrush(savedBrush);
}

void LayoutRenderer::DrawBarcodeRecord(const RecordDraw& draw) {
  BarcodeServices services{env_.fields, env_.formats, env_.plesseyCheckChars, alpha_,
                           BackgroundOf(draw.canvas)};
  DrawBarcodeObject(draw.record, draw.left, draw.top, draw.width, draw.height, draw.cardAngle,
                    draw.canvas, services);
}

}  // namespace vemra
