#include "base/win32/Win32Windows.h"
#include "layout/printing/win32/PreviewWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <exception>

#include "base/ScopeExit.h"
#include "imaging/Resample.h"
#include "layout/printing/PreviewLayout.h"

namespace vemra {
namespace {

constexpr wchar_t kAreaClassName[] = L"TdlgPreviewArea";
constexpr int kToolBarHeight = 28;
constexpr int kButtonBarHeight = 36;
constexpr int kButtonWidth = 90, kButtonHeight = 24, kViewButtonWidth = 56;
constexpr int kGap = 6;
constexpr int kShadow = 9;     // grey bars along the right and bottom edges
constexpr int kMargin = 4;     // around frame and shadow in the scrolling area
constexpr int kDividerPrintId = 107, kDividerNextId = 108;
constexpr COLORREF kShadowColour = RGB(128, 128, 128);

struct TdlgPreview {
  HWND window = nullptr;
  HWND area = nullptr;
  HWND tooltip = nullptr;
  const Bitmap* full = nullptr;  // as rendered
  Bitmap shrunk;
  PreviewLayout layout;
  int screenWidth = 0, screenHeight = 0;
  bool fullView = false;
  int scrollX = 0, scrollY = 0;
  bool showPrint = false, showNext = false;
  // Answer flags
  bool printChosen = false, closed = false, nextChosen = false;
  bool done = false;
  int answer = IDCANCEL;
};

TdlgPreview* StateOf(HWND window) {
  return reinterpret_cast<TdlgPreview*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

const Bitmap& Shown(const TdlgPreview& s) { return s.layout.shrunk && !s.fullView ? s.shrunk : *s.full; }

// Picture, frame and shadow as laid out in the scrolling area.
SIZE ContentSize(const TdlgPreview& s) {
  const Bitmap& b = Shown(s);
  return {b.Width() + 2 + kShadow + 2 * kMargin, b.Height() + 2 + kShadow + 2 * kMargin};
}

void Finish(TdlgPreview& s, int answer) {
  if (s.done) return;
  s.done = true;
  s.answer = answer;
  s.printChosen = answer == IDYES;
  s.nextChosen = answer == IDRETRY;
  s.closed = answer == IDCANCEL;
}

// ---- the scrolling area ----

void UpdateScrollBars(TdlgPreview& s) {
  RECT client{};
  GetClientRect(s.area, &client);
  const SIZE content = ContentSize(s);
  s.scrollX = std::clamp(s.scrollX, 0, std::max(0, int(content.cx - client.right)));
  s.scrollY = std::clamp(s.scrollY, 0, std::max(0, int(content.cy - client.bottom)));
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, int(content.cx) - 1, UINT(client.right), s.scrollX, 0};
  SetScrollInfo(s.area, SB_HORZ, &si, TRUE);
  si = SCROLLINFO{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, int(content.cy) - 1, UINT(client.bottom), s.scrollY, 0};
  SetScrollInfo(s.area, SB_VERT, &si, TRUE);
}

void PaintArea(TdlgPreview& s, HDC dc) {
  RECT client{};
  GetClientRect(s.area, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const Bitmap& b = Shown(s);
  const SIZE content = ContentSize(s);
  // Centred while it fits, scrolled from the upper left when it does not.
  const int originX = content.cx < client.right ? (client.right - content.cx) / 2 : -s.scrollX;
  const int originY = content.cy < client.bottom ? (client.bottom - content.cy) / 2 : -s.scrollY;
  const int x = originX + kMargin + 1, y = originY + kMargin + 1;
  HBRUSH shadow = CreateSolidBrush(kShadowColour);
  RECT right{x + b.Width() + 1, y - 1 + kShadow, x + b.Width() + 1 + kShadow, y + b.Height() + 1 + kShadow};
  RECT bottom{x - 1 + kShadow, y + b.Height() + 1, x + b.Width() + 1, y + b.Height() + 1 + kShadow};
  FillRect(dc, &right, shadow);
  FillRect(dc, &bottom, shadow);
  DeleteObject(shadow);
  RECT frame{x - 1, y - 1, x + b.Width() + 1, y + b.Height() + 1};
  FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, b.Width(), -b.Height(), 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  StretchDIBits(dc, x, y, b.Width(), b.Height(), 0, 0, b.Width(), b.Height(), b.Row(0), &info, DIB_RGB_COLORS,
                SRCCOPY);
}

void Scroll(TdlgPreview& s, int bar, int code) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(s.area, bar, &si);
  int pos = si.nPos;
  switch (code) {
    case SB_LINEUP: pos -= 16; break;
    case SB_LINEDOWN: pos += 16; break;
    case SB_PAGEUP: pos -= int(si.nPage); break;
    case SB_PAGEDOWN: pos += int(si.nPage); break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  (bar == SB_HORZ ? s.scrollX : s.scrollY) = pos;
  UpdateScrollBars(s);
  InvalidateRect(s.area, nullptr, FALSE);
}

LRESULT AreaMessage(HWND area, UINT message, WPARAM w, LPARAM l) {
  TdlgPreview* s = StateOf(GetParent(area));
  if (!s || !s->full) return DefWindowProcW(area, message, w, l);
  switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(area, &ps);
      ScopeExit endPaint([&] { EndPaint(area, &ps); });  // else a failed paint comes back at once
      PaintArea(*s, dc);
      return 0;
    }
    case WM_HSCROLL: Scroll(*s, SB_HORZ, LOWORD(w)); return 0;
    case WM_VSCROLL: Scroll(*s, SB_VERT, LOWORD(w)); return 0;
    case WM_MOUSEWHEEL: Scroll(*s, SB_VERT, GET_WHEEL_DELTA_WPARAM(w) > 0 ? SB_LINEUP : SB_LINEDOWN); return 0;
    case WM_SIZE: UpdateScrollBars(*s); return 0;
  }
  return DefWindowProcW(area, message, w, l);
}

// ---- the window ----

void Layout(TdlgPreview& s) {
  RECT client{};
  GetClientRect(s.window, &client);
  const int toolBar = s.layout.shrunk ? kToolBarHeight : 0;
  const int barTop = client.bottom - kButtonBarHeight;
  auto place = [&](int id, int x, int y, int w, int h) {
    SetWindowPos(GetDlgItem(s.window, id), nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
  };
  place(kPreviewFitId, kGap, 2, kViewButtonWidth, kButtonHeight);
  place(kPreviewFullId, kGap + kViewButtonWidth + 2, 2, kViewButtonWidth, kButtonHeight);
  place(kPreviewAreaId, 0, toolBar, client.right, std::max(0, int(barTop - toolBar)));
  // From the right: [divider] Skriv ut, Stäng, [divider] Nästa sida >.
  const int y = barTop + (kButtonBarHeight - kButtonHeight) / 2;
  int x = client.right - kGap;
  if (s.showNext) {
    x -= kButtonWidth;
    place(kPreviewNextId, x, y, kButtonWidth, kButtonHeight);
    x -= kGap + 2;
    place(kDividerNextId, x, y, 2, kButtonHeight);
    x -= kGap;
  }
  x -= kButtonWidth;
  place(kPreviewCloseId, x, y, kButtonWidth, kButtonHeight);
  if (s.showPrint) {
    x -= kGap + kButtonWidth;
    place(kPreviewPrintId, x, y, kButtonWidth, kButtonHeight);
    x -= kGap + 2;
    place(kDividerPrintId, x, y, 2, kButtonHeight);
  }
  UpdateScrollBars(s);
  InvalidateRect(s.area, nullptr, FALSE);
}

void Resize(TdlgPreview& s, int width) {
  RECT r{};
  GetWindowRect(s.window, &r);
  SetWindowPos(s.window, nullptr, CentredLeft(width, s.screenWidth), r.top, width, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void ShowView(TdlgPreview& s, bool fullView) {
  s.fullView = fullView;
  s.scrollX = s.scrollY = 0;
  CheckRadioButton(s.window, kPreviewFitId, kPreviewFullId, fullView ? kPreviewFullId : kPreviewFitId);
  RECT r{};
  GetWindowRect(s.window, &r);
  Resize(s, fullView ? FullSizeViewWidth(r.right - r.left, s.full->Width(), s.screenWidth)
                     : s.layout.displayWidth + kPreviewExtraWidth);
  Layout(s);
}

LRESULT PreviewMessage(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
  TdlgPreview* s = StateOf(window);
  if (!s) return DefWindowProcW(window, message, w, l);
  switch (message) {
    case WM_COMMAND:
      switch (LOWORD(w)) {
        case kPreviewPrintId: Finish(*s, IDYES); return 0;
        case kPreviewCloseId: Finish(*s, IDCANCEL); return 0;
        case kPreviewNextId: Finish(*s, IDRETRY); return 0;
        case kPreviewFitId: ShowView(*s, false); return 0;
        case kPreviewFullId: ShowView(*s, true); return 0;
      }
      break;
    case WM_ACTIVATE:
      // Clicking anywhere else answers like "Stäng".
      if (LOWORD(w) == WA_INACTIVE) Finish(*s, IDCANCEL);
      break;
    case WM_CLOSE: Finish(*s, IDCANCEL); return 0;
    case WM_SIZE: if (s->area) Layout(*s); return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

bool RegisterClasses(HINSTANCE instance) {
  if (!RegisterWindowClassOnce(instance, kPreviewClassName, GuardedWindowProc<PreviewMessage>)) return false;
  // The picture area paints all of itself: no background brush.
  WNDCLASSEXW wc{};
  if (!GetClassInfoExW(instance, kAreaClassName, &wc)) {
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = GuardedWindowProc<AreaMessage>;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kAreaClassName;
    if (!RegisterClassExW(&wc)) return false;
  }
  return true;
}

HWND AddChild(TdlgPreview& s, const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
  HWND child = CreateWindowExW(0, cls, text, WS_CHILD | style, 0, 0, 10, 10, s.window,
                               reinterpret_cast<HMENU>(INT_PTR(id)), ThisModule(), nullptr);
  SendMessageW(child, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

void AddHint(TdlgPreview& s, int id, const wchar_t* hint) {
  if (!s.tooltip) return;
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = s.window;
  tool.uId = UINT_PTR(GetDlgItem(s.window, id));
  tool.lpszText = const_cast<wchar_t*>(hint);
  SendMessageW(s.tooltip, TTM_ADDTOOLW, 0, LPARAM(&tool));
}

bool Create(TdlgPreview& s) {
  HINSTANCE instance = ThisModule();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterClasses(instance)) return false;
  const PixelRect& r = s.layout.window;
  s.window = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_CONTROLPARENT, kPreviewClassName,
                             L"F\u00f6rhandsgranska", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                             r.left, r.top, r.Width(), r.Height(), nullptr, nullptr, instance, &s);
  if (!s.window) return false;
  s.area = AddChild(s, kAreaClassName, L"", WS_VISIBLE | WS_HSCROLL | WS_VSCROLL, kPreviewAreaId);
  wchar_t zoom[16];
  std::swprintf(zoom, 16, L"%d %%", s.layout.zoomPercent);
  const DWORD viewStyle = BS_AUTORADIOBUTTON | BS_PUSHLIKE | (s.layout.shrunk ? WS_VISIBLE : 0);
  AddChild(s, L"BUTTON", zoom, viewStyle | WS_GROUP | WS_TABSTOP, kPreviewFitId);
  AddChild(s, L"BUTTON", L"100 %", viewStyle, kPreviewFullId);
  AddChild(s, L"STATIC", L"", SS_ETCHEDVERT | (s.showPrint ? WS_VISIBLE : 0), kDividerPrintId);
  AddChild(s, L"BUTTON", L"Skriv ut", BS_PUSHBUTTON | WS_TABSTOP | (s.showPrint ? WS_VISIBLE : 0),
           kPreviewPrintId);
  AddChild(s, L"BUTTON", L"St\u00e4ng", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_VISIBLE, kPreviewCloseId);
  AddChild(s, L"STATIC", L"", SS_ETCHEDVERT | (s.showNext ? WS_VISIBLE : 0), kDividerNextId);
  AddChild(s, L"BUTTON", L"N\u00e4sta sida >", BS_PUSHBUTTON | WS_TABSTOP | (s.showNext ? WS_VISIBLE : 0),
           kPreviewNextId);
  s.tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                              s.window, nullptr, instance, nullptr);
  AddHint(s, kPreviewFitId, zoom);
  AddHint(s, kPreviewFullId, L"100 %");
  CheckRadioButton(s.window, kPreviewFitId, kPreviewFullId, kPreviewFitId);
  Layout(s);
  return true;
}

void RunModal(TdlgPreview& s) {
  ShowWindow(s.window, SW_SHOW);
  SetForegroundWindow(s.window);
  SetFocus(GetDlgItem(s.window, kPreviewCloseId));
  RunModalLoop(s.window, s.done);
}

}  // namespace

int ShowPreviewAnswer(const Bitmap& picture, bool showPrint, bool showNext) {
  if (picture.Empty()) return IDCANCEL;
  TdlgPreview s;
  s.showPrint = showPrint;
  s.showNext = showNext;
  s.screenWidth = GetSystemMetrics(SM_CXSCREEN);
  s.screenHeight = GetSystemMetrics(SM_CYSCREEN);
  Bitmap full = picture;
  try {
    full.SetPixelFormat(PixelFormat::pf24bit);
    s.full = &full;
    s.layout = LayoutPreview(full.Width(), full.Height(), s.screenWidth, s.screenHeight);
    if (s.layout.shrunk) {
      s.shrunk = Bitmap(s.layout.displayWidth, s.layout.displayHeight);
      ResampleBitmap(full, s.shrunk, kFilterMitchell);
    }
  } catch (const std::exception&) {
    return IDCANCEL;
  }
  if (Create(s)) RunModal(s);
  if (s.window) {
    s.done = true;  // the deactivation while destroying is no answer
    DestroyWindow(s.window);
  }
  return s.answer;
}

bool ShowPreview(const Bitmap& picture, bool showPrint, bool showNext) {
  return ShowPreviewAnswer(picture, showPrint, showNext) == IDYES;
}

}  // namespace vemra
