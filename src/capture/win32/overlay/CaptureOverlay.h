#pragma once
// TfrmCaptureOverlay: a translucent tint over the live DirectShow video
// that leaves the capture frame clear. At most one exists; its colour and
// opacity are kept for the library's lifetime.
#include <windows.h>

#include "capture/framing/FramingGeometry.h"
#include "capture/video/CaptureOverlayModel.h"

namespace vemra {

inline constexpr wchar_t kOverlayClassName[] = L"TfrmCaptureOverlay";

// Shows the tint over the screen rectangle, with `clear` (in its own
// coordinates) cut out, and gives the focus back to `dialog`.
void ShowCaptureOverlay(HWND dialog, int screenLeft, int screenTop, ScreenSize size, ScreenRect clear);
void CloseCaptureOverlay();
void MoveCaptureOverlay(int screenLeft, int screenTop);
HWND CaptureOverlayWindow();

// The look later overlays start with; the settings dialog's OK changes it.
OverlayLook& LibraryOverlayLook();
// Gives the shown overlay a colour and opacity (the settings dialog's
// changes, applied at once).
void ApplyOverlayLook(const OverlayLook& look);
// The shown overlay's look (the library's when none is shown).
OverlayLook ShownOverlayLook();

}  // namespace vemra
