#include "layout/render/LayoutRenderer.h"

#include <algorithm>
#include <exception>

#include "base/Cp1252.h"
#include "imaging/PictureBudget.h"
#include "layout/fields/Expressions.h"
#include "layout/fields/LayoutValues.h"
#include "layout/render/PixelRounding.h"

namespace vemra {

PixelRect TurnBox(int left, int top, int width, int height, int cardAngle, int cardWidth,
                  int cardHeight) {
  int l = left, t = top, w = width, h = height;
  switch (cardAngle) {
    case 90: l = cardHeight - top - height; t = left; w = height; h = width; break;
    case 180: l = cardWidth - left - width; t = cardHeight - top - height; break;
    case 270: l = top; t = cardWidth - left - width; w = height; h = width; break;
    default: break;
  }
  return {l, t, l + w, t + h};
}

LayoutRenderer::LayoutRenderer(const RenderEnvironment& env) : env_(env) {
  alpha_.processMessages = env_.processMessages;
}

LayoutRenderer::~LayoutRenderer() = default;

void LayoutRenderer::BeginJob(Canvas& output, OutputKind kind, double scale) {
  output_ = &output;
  kind_ = kind;
  scale_ = scale;
  px_ = output.DeviceCaps(DeviceCap::LogPixelsX) / 25.4;
  py_ = output.DeviceCaps(DeviceCap::LogPixelsY) / 25.4;
  logPixelsY_ = output.DeviceCaps(DeviceCap::LogPixelsY);
  extents_ = {};
  marginTextsDrawn_ = false;
  shadow_.reset();
  alpha_.DiscardBackground();
}

std::string LayoutRenderer::Value(std::string_view key, std::string_view record) const {
  return GetLayoutValue(key, record, scale_);
}

double LayoutRenderer::Millimetres(std::string_view key, std::string_view record) const {
  return ParseLayoutNumber(Value(key, record));
}

int LayoutRenderer::ToPixelsX(double mm) const { return RoundHalfEven(mm * px_); }
int LayoutRenderer::ToPixelsY(double mm) const { return RoundHalfEven(mm * py_); }

void LayoutRenderer::DrawLayoutList(const LayoutList& list, int cardAngle, double xOffsetMm,
                                    double yOffsetMm) {
  if (list.empty() || !output_) return;
  const double cardWidth = Millimetres("wid", list[0]);
  const double cardHeight = Millimetres("hei", list[0]);

  // Without a shadow picture (a card too large to hold twice in memory)
  // the card still prints; its semi-transparent objects come out opaque.
  shadow_.reset();
  if (env_.makeBitmapCanvas) {
    const PictureBudgetSubject subject(
        Ansi("kortets skuggbild (halvgenomskinliga objekt blir täckande)"));
    try {
      const int w = ToPixelsX(cardWidth + xOffsetMm), h = ToPixelsY(cardHeight + yOffsetMm);
      if (w > 0 && h > 0) {
        Bitmap white(w, h);
        for (int y = 0; y < h; ++y) std::fill_n(white.Row(y), std::size_t(w) * 3, 0xFF);
        shadow_ = env_.makeBitmapCanvas(white);
      }
    } catch (const std::exception&) {
      shadow_.reset();  // out of memory, or the platform refused the bitmap
    }
  }

  struct DropShadow {
    LayoutRenderer& self;
    ~DropShadow() {
      self.alpha_.DiscardBackground();
      self.shadow_.reset();
    }
  } dropShadow{*this};

  for (std::size_t i = 0; i < list.size(); ++i) {
    if (env_.progressStep) env_.progressStep();
    DrawLayoutRecord(i, list, *output_, cardAngle, cardHeight, cardWidth, xOffsetMm, yOffsetMm);
    if (shadow_)
      DrawLayoutRecord(i, list, *shadow_, cardAngle, cardHeight, cardWidth, xOffsetMm,
                       yOffsetMm);
  }
}

void LayoutRenderer::DrawLayoutRecord(std::size_t index, const LayoutList& list, Canvas& canvas,
                                      int cardAngle, double cardHeightMm, double cardWidthMm,
                                      double xOffsetMm, double yOffsetMm) {
  if (index >= list.size()) return;
  if (env_.processMessages) env_.processMessages();
  const int cardHeight = ToPixelsY(cardHeightMm);
  const int cardWidth = ToPixelsX(cardWidthMm);
  extents_.height = std::max(extents_.height, cardHeight);
  extents_.width = std::max(extents_.width, cardWidth);

  const std::string_view record = list[index];
  const std::string type = GetLayoutValue("typ", record);
  RecordDraw draw{list, index, record, canvas, cardAngle, xOffsetMm, yOffsetMm};

  if (type == "csz") {
    if (!marginTextsDrawn_) DrawMarginTexts(draw);
    return;
  }
  static constexpr std::string_view kDrawn[] = {"ftx", "dtx", "bam", "shp", "fim", "crd", "pho"};
  if (std::find(std::begin(kDrawn), std::end(kDrawn), type) == std::end(kDrawn)) return;

  const PixelRect box = TurnBox(ToPixelsX(Millimetres("lft", record)),
                                ToPixelsY(Millimetres("top", record)),
                                ToPixelsX(Millimetres("wid", record)),
                                ToPixelsY(Millimetres("hei", record)), cardAngle, cardWidth,
                                cardHeight);
  draw.left = box.left + ToPixelsX(xOffsetMm);
  draw.top = box.top + ToPixelsY(yOffsetMm);
  draw.width = box.Width();
  draw.height = box.Height();

  if (type != "crd" && kind_ == OutputKind::Printer && GetLayoutValue("prn", record) == "0")
    return;

  // A record whose pictures the budget refuses is skipped, told once (on
  // the output, not again on the shadow picture); the card still prints.
  const PictureBudgetSubject subject(
      Ansi("layoutpost ") + std::to_string(index + 1) + " (" + type + ")", &canvas != output_);
  try {
    if (type == "ftx" || type == "dtx") DrawTextRecord(draw);
    else if (type == "bam") DrawBarcodeRecord(draw);
    else if (type == "shp") DrawShape(draw);
    else if (type == "fim") DrawFixedImage(draw);
    else if (type == "crd") {
      if (kind_ == OutputKind::Preview) DrawCardOutline(draw);
    } else if (type == "pho") DrawPhoto(draw);
  } catch (const PictureRefused&) {
  }
}

void LayoutRenderer::DrawMarginTexts(const RecordDraw& draw) {
  Canvas& canvas = draw.canvas;
  BrushSpec brush = canvas.Brush();
  brush.style = BrushStyle::Clear;
  canvas.SetBrush(brush);
  PenSpec pen = canvas.Pen();
  pen.style = PenStyle::Clear;
  canvas.SetPen(pen);
  FontSpec font;
  font.face = "Arial";
  font.height = -RoundHalfEven(12.0 * logPixelsY_ / 72.0);
  font.colour = 0xFFFFFF;
  canvas.SetFont(font);
  for (int k = 1; k <= 3; ++k) {
    std::string value = GetLayoutValue("mt" + std::to_string(k), draw.record);
    if (value.empty()) continue;
    marginTextsDrawn_ = true;
    // A plain text is written as it is; only an expression is evaluated, as
    // evaluating a plain text would drop its first ten characters.
    if (IsSpecialExpression(value)) value = EvaluateSpecial(value, env_.fields, env_.formats);
    canvas.TextOut(ToPixelsX(draw.xOffsetMm + 1), ToPixelsY(draw.yOffsetMm + 4.0 * (k - 1)),
                   value);
  }
}

Canvas& LayoutRenderer::BackgroundOf(Canvas& canvas) {
  if (&canvas == output_ && kind_ == OutputKind::Printer && shadow_) return *shadow_;
  return canvas;
}

}  // namespace vemra
