#include "capture/framing/FramingTools.h"

#include <algorithm>
#include <cstdlib>

namespace vemra {

void FramingTools::SetMode(ToolMode mode) {
  mode_ = mode;
  cursor_ = mode == ToolMode::kZoom ? PictureCursor::kZoom : PictureCursor::kCross;
  mark_.reset();
  cutEnabled_ = false;
}

void FramingTools::Press(ScreenPoint point, PointerButton button) {
  const ScreenRect at = framing_.Placement();
  dragging_ = true;
  dragButton_ = button;
  grab_ = {point.x - at.left, point.y - at.top};
  if (mode_ == ToolMode::kCut || button == PointerButton::kRight) {
    markStart_ = point;
    mark_ = ScreenRect{point.x, point.y, 0, 0};
  } else {
    mark_.reset();
  }
  cutEnabled_ = false;
}

void FramingTools::Move(ScreenPoint point, bool shiftHeld) {
  if (!dragging_) return;
  if (mode_ == ToolMode::kZoom && !shiftHeld) cursor_ = PictureCursor::kHand;
  if (mark_) {
    mark_ = ScreenRect{std::min(markStart_.x, point.x), std::min(markStart_.y, point.y),
                       std::abs(point.x - markStart_.x), std::abs(point.y - markStart_.y)};
  } else if (mode_ == ToolMode::kZoom) {
    framing_.MoveTo(point.x - grab_.x, point.y - grab_.y);
    previewStale_ = true;
  }
}

// A plain right click zooms out one step, not two: the click and the
// too-small mark it leaves are one gesture.
bool FramingTools::Release(ScreenPoint point, PointerButton button, bool shiftAlone) {
  if (!dragging_) return false;
  Move(point, true);
  dragging_ = false;
  bool zoomed = false;
  if (mode_ == ToolMode::kZoom) {
    if (cursor_ == PictureCursor::kZoom && button != PointerButton::kRight) {
      framing_.ZoomStep(shiftAlone ? kZoomInFine : kZoomInStep);
      zoomed = true;
    }
    cursor_ = PictureCursor::kZoom;
    zoomUndoEnabled_ = true;
    if (mark_) {
      const ScreenRect mark = *mark_;
      mark_.reset();
      if (mark.width < kMinMarkSize || mark.height < kMinMarkSize)
        framing_.ZoomStep(shiftAlone ? kClickZoomOutFine : kClickZoomOutStep);
      else
        framing_.ZoomToRect(mark);
      zoomed = true;
    }
  } else if (mark_) {
    cutEnabled_ = mark_->width > 0 && mark_->height > 0;
  }
  previewStale_ = true;
  return zoomed;
}

void FramingTools::ZoomButton(double factor) {
  framing_.ZoomStep(factor);
  previewStale_ = true;
}

bool FramingTools::CutMark(BlankArea area) {
  if (!mark_) return false;
  const bool done = framing_.Blank(*mark_, area);
  mark_.reset();
  cutEnabled_ = false;
  previewStale_ = true;
  return done;
}

bool FramingTools::UndoCut() {
  const bool done = framing_.UndoBlank();
  previewStale_ = true;
  return done;
}

void FramingTools::ZoomUndo() {
  framing_.FitAgain();
  zoomUndoEnabled_ = false;
  previewStale_ = true;
}

bool FramingTools::TakePreviewRefresh() {
  const bool stale = previewStale_;
  previewStale_ = false;
  return stale;
}

}  // namespace vemra
