#include "RecordingCanvas.h"

#include <algorithm>
#include <cstdlib>

#include "layout/render/PartialOpacity.h"
#include "layout/render/PictureEffects.h"

namespace vemra {

RecordingCanvas::RecordingCanvas(int dpi, int width, int height) : surface_(width, height) {
  for (int y = 0; y < height; ++y) std::fill_n(surface_.Row(y), std::size_t(width) * 3, 0xFF);
  caps = {{DeviceCap::LogPixelsX, dpi}, {DeviceCap::LogPixelsY, dpi},
          {DeviceCap::BitsPixel, 24},   {DeviceCap::NumColors, -1},
          {DeviceCap::Planes, 1}};
}

RecordingCanvas::RecordingCanvas(const Bitmap& surface, int dpi) : RecordingCanvas(dpi, 0, 0) {
  surface_ = surface;
  surface_.SetPixelFormat(PixelFormat::pf24bit);
}

std::vector<CanvasCall> RecordingCanvas::Of(CanvasCall::Kind kind) const {
  std::vector<CanvasCall> out;
  for (const auto& call : *log)
    if (call.kind == kind) out.push_back(call);
  return out;
}

ColourValue RecordingCanvas::At(int x, int y) const {
  const std::uint8_t* p = surface_.Row(y) + 3 * x;
  return MakeColour(p[2], p[1], p[0]);
}

CanvasCall& RecordingCanvas::Record(CanvasCall::Kind kind) {
  CanvasCall call{kind};
  call.font = font_;
  call.pen = pen_;
  call.brush = brush_;
  call.characterExtra = characterExtra_;
  log->push_back(call);
  return log->back();
}

void RecordingCanvas::SetCharacterExtra(int pixels) {
  characterExtra_ = pixels;
  Record(CanvasCall::CharacterExtra);
}

int RecordingCanvas::TextWidth(const std::string& text) {
  return int(text.size()) * (std::abs(font_.height) / 2 + characterExtra_);
}

FontMetrics RecordingCanvas::Metrics() {
  const int h = std::abs(font_.height);
  return {h * 5 / 4, h};
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
  CanvasCall& call = Record(CanvasCall::Text);
  call.x = x, call.y = y, call.text = text;
}

void RecordingCanvas::DrawFormattedText(const PixelRect& box, const std::string& text,
                                        unsigned format) {
  CanvasCall& call = Record(CanvasCall::FormattedText);
  call.box = box, call.text = text, call.format = format;
}

void RecordingCanvas::Rectangle(const PixelRect& box) {
  Record(CanvasCall::Rectangle).box = box;
  // The fill reaches the surface (so that blends read it back); outlines
  // and hatches do not.
  if (brush_.style == BrushStyle::Solid) Paint(box, brush_.colour);
}
void RecordingCanvas::Ellipse(const PixelRect& box) { Record(CanvasCall::Ellipse).box = box; }

void RecordingCanvas::Line(int x1, int y1, int x2, int y2) {
  CanvasCall& call = Record(CanvasCall::Line);
  call.x = x1, call.y = y1, call.x2 = x2, call.y2 = y2;
  // Straight one-pixel lines reach the surface, end point excluded, as
  // barcode bars are drawn from them.
  if (pen_.style != PenStyle::Solid || pen_.width != 1) return;
  if (x1 == x2) Paint({x1, std::min(y1, y2), x1 + 1, std::max(y1, y2)}, pen_.colour);
  else if (y1 == y2) Paint({std::min(x1, x2), y1, std::max(x1, x2), y1 + 1}, pen_.colour);
}

void RecordingCanvas::FillRect(const PixelRect& box, ColourValue colour) {
  CanvasCall& call = Record(CanvasCall::FillRect);
  call.box = box, call.colour = colour;
  Paint(box, colour);
}

void RecordingCanvas::Paint(const PixelRect& whole, ColourValue colour) {
  const PixelRect box{std::max(whole.left, 0), std::max(whole.top, 0),
                      std::min(whole.right, surface_.Width()),
                      std::min(whole.bottom, surface_.Height())};
  Bitmap area(std::max(box.Width(), 0), std::max(box.Height(), 0));
  for (int y = 0; y < area.Height(); ++y)
    for (int x = 0; x < area.Width(); ++x) {
      std::uint8_t* p = area.Row(y) + 3 * x;
      p[0] = std::uint8_t(BlueOf(colour)), p[1] = std::uint8_t(GreenOf(colour));
      p[2] = std::uint8_t(RedOf(colour));
    }
  Put(box, area);
}

void RecordingCanvas::StretchDraw(const PixelRect& box, const Bitmap& picture) {
  CanvasCall& call = Record(CanvasCall::StretchBitmap);
  call.box = box, call.pictureWidth = picture.Width(), call.pictureHeight = picture.Height();
  if (box.Width() <= 0 || box.Height() <= 0) return;
  Bitmap area = CopyArea(box);
  DrawOver(area, picture);
  Put(box, area);
}

void RecordingCanvas::StretchDraw(const PixelRect& box, const Metafile& picture) {
  CanvasCall& call = Record(CanvasCall::StretchMetafile);
  call.box = box, call.pictureWidth = picture.widthPixels, call.pictureHeight = picture.heightPixels;
}

bool RecordingCanvas::TransferBits(const PixelRect& box, const Bitmap& picture, bool andCombine) {
  CanvasCall& call = Record(CanvasCall::TransferBits);
  call.box = box, call.pictureWidth = picture.Width(), call.pictureHeight = picture.Height();
  call.andCombine = andCombine;
  return !refuseTransfer;
}

Bitmap RecordingCanvas::CopyArea(const PixelRect& area) {
  if (area.Width() <= 0 || area.Height() <= 0) return {};
  Bitmap out(area.Width(), area.Height());
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) {
      const int sx = area.left + x, sy = area.top + y;
      const bool inside = !unreadable && sx >= 0 && sy >= 0 && sx < surface_.Width() &&
                          sy < surface_.Height();
      for (int c = 0; c < 3; ++c)
        out.Row(y)[3 * x + c] = inside ? surface_.Row(sy)[3 * sx + c] : 0xFF;
    }
  return out;
}

bool RecordingCanvas::AlphaBlend(const PixelRect& box, const Bitmap& picture, int alpha) {
  CanvasCall& call = Record(CanvasCall::AlphaBlend);
  call.box = box, call.alpha = alpha;
  call.pictureWidth = picture.Width(), call.pictureHeight = picture.Height();
  if (box.Width() <= 0 || box.Height() <= 0) return true;
  Bitmap area = CopyArea(box);
  Bitmap stretched(box.Width(), box.Height());
  DrawOver(stretched, picture);
  BlendConstantAlpha(area, stretched, alpha);
  Put(box, area);
  return true;
}

int RecordingCanvas::DeviceCaps(DeviceCap cap) const {
  auto it = caps.find(cap);
  return it == caps.end() ? 0 : it->second;
}

void RecordingCanvas::Put(const PixelRect& box, const Bitmap& area) {
  for (int y = 0; y < area.Height(); ++y)
    for (int x = 0; x < area.Width(); ++x) {
      const int dx = box.left + x, dy = box.top + y;
      if (dx < 0 || dy < 0 || dx >= surface_.Width() || dy >= surface_.Height()) continue;
      for (int c = 0; c < 3; ++c) surface_.Row(dy)[3 * dx + c] = area.Row(y)[3 * x + c];
    }
}

BitmapCanvasFactory RecordingCanvasFactory::Bind() {
  return [this](const Bitmap& initial) {
    auto canvas = std::make_unique<RecordingCanvas>(initial, dpi);
    logs.push_back(canvas->log);
    sizes.push_back({initial.Width(), initial.Height()});
    return canvas;
  };
}

}  // namespace vemra
