#include "capture/win32/overlay/CaptureOverlay.h"

#include "base/win32/Win32Windows.h"
#include "capture/win32/overlay/CaptureOverlaySettings.h"

namespace vemra {

namespace {

struct Overlay {
  HWND window = nullptr;
  HBRUSH brush = nullptr;
  OverlayLook look;
};
Overlay overlay;

void SetBrush(Rgb c) {
  HBRUSH old = overlay.brush;
  overlay.brush = CreateSolidBrush(RGB(c.red, c.green, c.blue));
  if (old) DeleteObject(old);
}

LRESULT CALLBACK OverlayProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  try {
    switch (message) {
      case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(window, &r);
        if (overlay.brush) FillRect(HDC(w), &r, overlay.brush);
        return 1;
      }
      case WM_LBUTTONDBLCLK: EditCaptureOverlay(); return 0;
      case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
      case WM_NCDESTROY:
        if (overlay.window == window) overlay.window = nullptr;
        break;
    }
  } catch (...) {
  }
  return DefWindowProcW(window, message, w, l);
}

bool RegisterOverlayClass() {
  return RegisterWindowClassOnce(ThisModule(), kOverlayClassName, OverlayProc, nullptr,
                                 CS_DBLCLKS);
}

}  // namespace

OverlayLook& LibraryOverlayLook() {
  static OverlayLook look;
  return look;
}

HWND CaptureOverlayWindow() { return overlay.window; }

void ShowCaptureOverlay(HWND dialog, int screenLeft, int screenTop, ScreenSize size, ScreenRect clear) {
  CloseCaptureOverlay();
  if (!RegisterOverlayClass()) return;
  // Owned by the dialog: above it, and gone with it at the latest.
  overlay.window = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW |
                                       WS_EX_NOACTIVATE,
                                   kOverlayClassName, L"", WS_POPUP, screenLeft, screenTop,
                                   size.width, size.height, dialog, nullptr, ThisModule(), nullptr);
  if (!overlay.window) return;
  ApplyOverlayLook(LibraryOverlayLook());
  HRGN all = CreateRectRgn(0, 0, size.width, size.height);
  HRGN hole = CreateRectRgn(clear.left, clear.top, clear.Right(), clear.Bottom());
  CombineRgn(all, all, hole, RGN_XOR);
  DeleteObject(hole);
  SetWindowRgn(overlay.window, all, FALSE);  // the window owns the region now
  ShowWindow(overlay.window, SW_SHOWNOACTIVATE);
  if (dialog) SetFocus(dialog);
}

void ApplyOverlayLook(const OverlayLook& look) {
  overlay.look = look;
  SetBrush(look.colour);
  if (!overlay.window) return;
  SetLayeredWindowAttributes(overlay.window, 0, BYTE(look.alpha), LWA_ALPHA);
  InvalidateRect(overlay.window, nullptr, TRUE);
}

OverlayLook ShownOverlayLook() { return overlay.window ? overlay.look : LibraryOverlayLook(); }

void CloseCaptureOverlay() {
  if (overlay.window) DestroyWindow(overlay.window);
  overlay.window = nullptr;
}

void MoveCaptureOverlay(int screenLeft, int screenTop) {
  if (!overlay.window || !IsWindowVisible(overlay.window)) return;
  SetWindowPos(overlay.window, nullptr, screenLeft, screenTop, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vemra
