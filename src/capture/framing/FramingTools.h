#pragma once
// The pointer on the picture and the tool buttons' states: zoom mode (left
// click in, right click out, left drag pans, right drag marks a rectangle
// to zoom to) and cut mode (any drag marks an area to blank). One object
// per dialog, so the mode and the zoom-undo state last from the photo run
// to the signature run.
//
// What the view calls when (points in frame coordinates):
// - mouse down/move/up on Im: Press / Move / Release; a press on the mark
//   shape itself: HideMark().
// - spZoomIn / spZoomOut: ZoomButton(kZoomIn... / kZoomOut...).
// - btZoomMode / btCutMode: SetMode. btZoomUndo: ZoomUndo(); SpeedButton11:
//   framing.FitAgain(). spMarkCut / spMarkCutNot: CutMark(). spMarkUndo:
//   UndoCut().
// Afterwards: show Mark(), set the cursor from Cursor(), enable the buttons
// from CutEnabled() / CutUndoEnabled() / ZoomUndoEnabled(), refresh the
// status line (zoom and stored size) when Release() says it zoomed, and
// rebuild the inspection preview when TakePreviewRefresh() says so.
#include <optional>

#include "capture/framing/CaptureFraming.h"

namespace vemra {

enum class ToolMode { kZoom, kCut };
enum class PointerButton { kLeft, kRight, kMiddle };
enum class PictureCursor { kZoom, kHand, kCross };

// A marked rectangle narrower or lower than this is a click, not a mark.
inline constexpr int kMinMarkSize = 8;

class FramingTools {
 public:
  explicit FramingTools(CaptureFraming& framing) : framing_(framing) {}

  ToolMode Mode() const { return mode_; }
  void SetMode(ToolMode mode);
  PictureCursor Cursor() const { return cursor_; }

  void Press(ScreenPoint point, PointerButton button);
  void Move(ScreenPoint point, bool shiftHeld);
  // `shiftAlone`: Shift is the only modifier held (fine zoom steps).
  // True when the picture was zoomed.
  bool Release(ScreenPoint point, PointerButton button, bool shiftAlone);
  bool Dragging() const { return dragging_; }

  std::optional<ScreenRect> Mark() const { return mark_; }
  void HideMark() { mark_.reset(); }

  bool CutEnabled() const { return cutEnabled_; }  // spMarkCut, spMarkCutNot
  bool CutUndoEnabled() const { return framing_.CanUndoBlank(); }
  bool ZoomUndoEnabled() const { return zoomUndoEnabled_; }

  // spZoomIn / spZoomOut: one step about the frame centre.
  void ZoomButton(double factor);
  bool CutMark(BlankArea area);
  bool UndoCut();
  void ZoomUndo();

  // Set by anything that changed what lies under the inspection box.
  bool TakePreviewRefresh();
  void MarkPreviewStale() { previewStale_ = true; }

 private:
  CaptureFraming& framing_;
  ToolMode mode_ = ToolMode::kZoom;
  PictureCursor cursor_ = PictureCursor::kZoom;
  bool dragging_ = false;
  PointerButton dragButton_ = PointerButton::kLeft;
  ScreenPoint grab_;  // press point relative to Im
  ScreenPoint markStart_;
  std::optional<ScreenRect> mark_;
  bool cutEnabled_ = false;
  bool zoomUndoEnabled_ = false;
  bool previewStale_ = false;
};

}  // namespace vemra
