// The split previews (a sheet with the red split line and its handle) and
// the logo preview panel of the settings dialog.
#include "base/win32/Win32Windows.h"
#include "sdk/win32/settingsdialog/SettingsDialogIds.h"
#include "sdk/win32/settingsdialog/SettingsDialogWindow.h"

namespace vemra {
namespace {

using namespace settings_ids;

// Sheet and handle in a preview's pixels. Model positions count from the
// sheet's start; the handle runs beside the sheet.
constexpr int kBorder = 2, kHandleBreadth = 12, kHandleLength = 2 * kSplitHandleOffset;
constexpr int kSheetStart = kBorder, kSheetSide = kBorder + kHandleBreadth + 4;

struct SplitGeometry {
  RECT sheet, handle;
  int handleStart;  // along the split direction
  int line;
};

SplitGeometry GeometryOf(const SettingsDialogModel& m, bool vertical) {
  const int line = kSheetStart + (vertical ? m.verticalLine : m.horizontalLine);
  const int handle = line - kSplitHandleOffset;
  if (vertical)
    return {{kSheetStart, kSheetSide, kSheetStart + 100, kSheetSide + 100},
            {handle, kBorder, handle + kHandleLength, kBorder + kHandleBreadth}, handle, line};
  return {{kSheetSide, kSheetStart, kSheetSide + 100, kSheetStart + 100},
          {kBorder, handle, kBorder + kHandleBreadth, handle + kHandleLength}, handle, line};
}

bool IsVerticalPreview(HWND preview) { return GetDlgCtrlID(preview) == kSplitPreviewVertical; }

// A scanned sheet: a passport photo in the first part, a signature in the
// second, so that the user sees which part goes where.
void DrawSheet(HDC dc, const RECT& sheet, bool vertical) {
  FillRect(dc, &sheet, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FrameRect(dc, &sheet, GetSysColorBrush(COLOR_BTNSHADOW));
  auto at = [&](int along, int across) {
    return vertical ? POINT{sheet.left + along, sheet.top + across}
                    : POINT{sheet.left + across, sheet.top + along};
  };
  // Photo: 28 x 36 frame from 10 along, centred across.
  const POINT a = at(vertical ? 12 : 10, vertical ? 32 : 36);
  const RECT photo{a.x, a.y, a.x + 28, a.y + 36};
  HBRUSH frame = CreateSolidBrush(RGB(220, 226, 236));
  FillRect(dc, &photo, frame);
  DeleteObject(frame);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, photo.left, photo.top, photo.right, photo.bottom);
  HBRUSH person = CreateSolidBrush(RGB(120, 128, 140));
  SelectObject(dc, person);
  SelectObject(dc, GetStockObject(NULL_PEN));
  Ellipse(dc, photo.left + 8, photo.top + 5, photo.left + 20, photo.top + 19);
  Ellipse(dc, photo.left + 2, photo.top + 20, photo.left + 26, photo.top + 46);
  RestoreDC(dc, saved);
  DeleteObject(person);
  // Signature: a written stroke in the second part, level on either sheet.
  HPEN ink = CreatePen(PS_SOLID, 1, RGB(20, 40, 140));
  HGDIOBJ oldPen = SelectObject(dc, ink);
  const int base = vertical ? 50 : 84, from = vertical ? 56 : 24;
  POINT stroke[12];
  for (int i = 0; i < 12; ++i) {
    const int along = base + ((i % 4 == 1) ? -5 : (i % 4 == 3) ? 4 : 0);
    const int across = from + i * (vertical ? 3 : 4);
    stroke[i] = POINT{sheet.left + across, sheet.top + along};
  }
  Polyline(dc, stroke, 12);
  SelectObject(dc, oldPen);
  DeleteObject(ink);
}

void PaintSplitPreview(HWND preview, HDC target, const SettingsDialogModel& m) {
  RECT client{};
  GetClientRect(preview, &client);
  // Drawn off screen and copied at once, so that dragging does not flicker.
  HDC dc = CreateCompatibleDC(target);
  HBITMAP buffer = CreateCompatibleBitmap(target, client.right, client.bottom);
  HGDIOBJ oldBitmap = SelectObject(dc, buffer);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const bool vertical = IsVerticalPreview(preview);
  const SplitGeometry g = GeometryOf(m, vertical);
  DrawSheet(dc, g.sheet, vertical);

  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HGDIOBJ oldPen = SelectObject(dc, red);
  if (vertical) {
    MoveToEx(dc, g.line, g.handle.bottom, nullptr);
    LineTo(dc, g.line, g.sheet.bottom);
  } else {
    MoveToEx(dc, g.handle.right, g.line, nullptr);
    LineTo(dc, g.sheet.right, g.line);
  }
  SelectObject(dc, oldPen);
  DeleteObject(red);

  RECT handle = g.handle;
  FillRect(dc, &handle, GetSysColorBrush(COLOR_BTNFACE));
  DrawEdge(dc, &handle, EDGE_RAISED, BF_RECT);
  RECT mark = vertical ? RECT{g.line - 1, handle.top + 3, g.line + 1, handle.bottom - 3}
                       : RECT{handle.left + 3, g.line - 1, handle.right - 3, g.line + 1};
  HBRUSH markBrush = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &mark, markBrush);
  DeleteObject(markBrush);

  BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldBitmap);
  DeleteObject(buffer);
  DeleteDC(dc);
}

LRESULT SplitPreviewMessage(HWND preview, UINT message, WPARAM w, LPARAM l) {
  TdlgdllSettings* s = DialogStateOf(preview);
  if (!s || !s->model) return DefWindowProcW(preview, message, w, l);
  SettingsDialogModel& m = *s->model;
  const bool vertical = IsVerticalPreview(preview);
  const POINT pointer{short(LOWORD(l)), short(HIWORD(l))};
  const int along = vertical ? pointer.x : pointer.y;
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(preview, &ps);
      PaintSplitPreview(preview, dc, m);
      EndPaint(preview, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN: {
      const SplitGeometry g = GeometryOf(m, vertical);
      if (PtInRect(&g.handle, pointer)) {
        BeginSplitDrag(m, along - g.handleStart);
        SetCapture(preview);
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (m.vertical == vertical && MoveSplitDrag(m, along - GeometryOf(m, vertical).handleStart))
        SplitLineMoved(*s);
      return 0;
    case WM_LBUTTONUP:
      EndSplitDrag(m);
      if (GetCapture() == preview) ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED: EndSplitDrag(m); return 0;
  }
  return DefWindowProcW(preview, message, w, l);
}

LRESULT CALLBACK SplitPreviewProc(HWND preview, UINT message, WPARAM w, LPARAM l) {
  try {
    return SplitPreviewMessage(preview, message, w, l);
  } catch (...) {
    return 0;  // a drag that failed leaves the line where it was
  }
}

// The panel behind the logo and the two issuer lines, white like the card.
LRESULT CALLBACK LogoPanelProc(HWND panel, UINT message, WPARAM w, LPARAM l) {
  try {
    switch (message) {
      case WM_ERASEBKGND: {
        RECT r{};
        GetClientRect(panel, &r);
        FillRect(HDC(w), &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return 1;
      }
      case WM_CTLCOLORSTATIC:
        SetBkColor(HDC(w), RGB(255, 255, 255));
        SetTextColor(HDC(w), RGB(0, 0, 0));
        return LRESULT(GetStockObject(WHITE_BRUSH));
    }
    return DefWindowProcW(panel, message, w, l);
  } catch (...) {
    return 0;
  }
}

LRESULT CALLBACK LogoPictureProc(HWND picture, UINT message, WPARAM w, LPARAM l) {
  try {
    switch (message) {
      case WM_ERASEBKGND: return 1;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(picture, &ps);
        RECT r{};
        GetClientRect(picture, &r);
        TdlgdllSettings* s = DialogStateOf(picture);
        if (s && !s->logo.Empty()) {
          const Bitmap& b = s->logo;
          const BITMAPINFO info = TopDown24BitInfo(b.Width(), b.Height());
          SetStretchBltMode(dc, HALFTONE);
          SetBrushOrgEx(dc, 0, 0, nullptr);
          StretchDIBits(dc, 0, 0, r.right, r.bottom, 0, 0, b.Width(), b.Height(), b.Row(0), &info,
                        DIB_RGB_COLORS, SRCCOPY);
        } else {
          FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        }
        EndPaint(picture, &ps);
        return 0;
      }
    }
    return DefWindowProcW(picture, message, w, l);
  } catch (...) {
    return 0;
  }
}

}  // namespace

bool RegisterPreviewClasses() {
  HINSTANCE instance = ThisModule();
  return RegisterWindowClassOnce(instance, kSplitPreviewClass, SplitPreviewProc) &&
         RegisterWindowClassOnce(instance, kLogoPanelClass, LogoPanelProc) &&
         RegisterWindowClassOnce(instance, kLogoPictureClass, LogoPictureProc);
}

}  // namespace vemra
