#pragma once
// Draws layout lists onto the print job's output: texts, pictures, the
// holder's photo and signature, shapes, barcodes and card outlines, each
// record once on the output and once on a private white copy of the card
// (the shadow picture) that semi-transparent objects and picture effects
// take their background from.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "layout/render/LayoutDrawer.h"
#include "layout/render/PartialOpacity.h"
#include "layout/render/RenderEnvironment.h"

namespace vemra {

enum class HorizontalAlign { Left, Centre, Right };
enum class VerticalAlign { Top, Centre, Bottom };

// The box (left, top, width, height) of a record on a card turned clockwise
// by 0, 90, 180 or 270 degrees; cardWidth and cardHeight are the unturned
// card's size in pixels. Other angles leave the box as it is.
PixelRect TurnBox(int left, int top, int width, int height, int cardAngle, int cardWidth,
                  int cardHeight);

class LayoutRenderer final : public LayoutDrawer {
 public:
  // Made once per print job; `env` must outlive it.
  explicit LayoutRenderer(const RenderEnvironment& env);
  ~LayoutRenderer() override;

  void BeginJob(Canvas& output, OutputKind kind, double scale) override;
  void DrawLayoutList(const LayoutList& list, int cardAngle, double xOffsetMm,
                      double yOffsetMm) override;
  PixelSize JobExtents() const override { return extents_; }

  // One record on one canvas (the output or the shadow picture's).
  void DrawLayoutRecord(std::size_t index, const LayoutList& list, Canvas& canvas, int cardAngle,
                        double cardHeightMm, double cardWidthMm, double xOffsetMm,
                        double yOffsetMm);

  // Writes one line (or wraps a text) into the box x, y, width, height.
  // `angle` is counter-clockwise in degrees; opacity in percent.
  void DrawTextLine(Canvas& canvas, const std::string& text, int x, int y, int width, int height,
                    bool wrap, int opacity, int angle, VerticalAlign vertical,
                    HorizontalAlign horizontal);

  double PixelsPerMmX() const { return px_; }
  double PixelsPerMmY() const { return py_; }

 private:
  // The record being drawn and where it goes.
  struct RecordDraw {
    const LayoutList& list;
    std::size_t index;
    std::string_view record;
    Canvas& canvas;
    int cardAngle;
    double xOffsetMm, yOffsetMm;
    int left = 0, top = 0, width = 0, height = 0;
  };

  std::string Value(std::string_view key, std::string_view record) const;
  double Millimetres(std::string_view key, std::string_view record) const;
  int ToPixelsX(double mm) const;
  int ToPixelsY(double mm) const;

  void DrawMarginTexts(const RecordDraw& draw);
  void DrawTextRecord(RecordDraw& draw);
  void DrawTextObject(const RecordDraw& draw, int lineNumber, std::string text);
  FontSpec TextFont(std::string_view record) const;
  // The group's left and (for members after the first) top; false when the
  // record is no member of a group.
  bool GroupPosition(const RecordDraw& draw, int& left, int& top);
  void DrawShape(const RecordDraw& draw);
  void BlendInMemory(int opacity, const PixelRect& box, Canvas& canvas,
                     const std::function<void(Canvas&)>& drawObject);
  void DrawFixedImage(const RecordDraw& draw);
  void DrawPhoto(const RecordDraw& draw);
  void DrawPicture(const RecordDraw& draw, const std::string& name, Picture& holder);
  DrawSize PictureDrawSize(const RecordDraw& draw) const;
  void DrawCardOutline(const RecordDraw& draw);
  void DrawBarcodeRecord(const RecordDraw& draw);

  // The canvas that shows what lies under an object on `canvas`: the
  // shadow picture for the printer, which cannot be read back.
  Canvas& BackgroundOf(Canvas& canvas);

  const RenderEnvironment& env_;
  LynAlpha alpha_;
  Canvas* output_ = nullptr;
  OutputKind kind_ = OutputKind::Preview;
  double scale_ = 1.0;
  double px_ = 0, py_ = 0;
  int logPixelsY_ = 0;
  PixelSize extents_;
  bool marginTextsDrawn_ = false;
  int charExtra_ = 0;  // of the text being drawn
  std::unique_ptr<BitmapCanvas> shadow_;
};

}  // namespace vemra
