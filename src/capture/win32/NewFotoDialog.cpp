#include "capture/win32/NewFotoDialog.h"

#include <exception>

#include "base/win32/Win32Platform.h"
#include "base/win32/Win32Windows.h"
#include "imaging/LynImageEx.h"
#include "imaging/win32/MessageBoxes.h"

namespace vemra {
namespace {

constexpr int kNewDateId = 201, kOldDateId = 202, kNewTextId = 203, kOldTextId = 204;

// Positions in client pixels. The signature lays the same controls out
// flat: wide previews side by side, buttons at the right.
struct NewFotoLayout {
  SIZE client;
  RECT newPreview, oldPreview;
  RECT newText, oldText, newDate, oldDate;
  RECT yes, no;
};

NewFotoLayout LayoutFor(int purpose) {
  if (purpose == 2) {
    return {{420, 84},
            {8, 24, 8 + 132, 24 + 33}, {184, 24, 184 + 132, 24 + 33},
            {8, 4, 176, 20}, {184, 4, 340, 20},
            {8, 64, 176, 80}, {184, 64, 340, 80},
            {336, 14, 412, 39}, {336, 46, 412, 71}};
  }
  return {{352, 222},
          {47, 30, 47 + 90, 30 + 120}, {215, 30, 215 + 90, 30 + 120},
          {8, 8, 176, 26}, {176, 8, 344, 26},
          {8, 156, 176, 172}, {176, 156, 344, 172},
          {96, 186, 171, 211}, {181, 186, 256, 211}};
}

struct TdlgNewFoto {
  HWND window = nullptr;
  const Bitmap* fresh = nullptr;
  Bitmap old;
  NewFotoLayout layout{};
  bool done = false;
  bool yes = false;
};

TdlgNewFoto* StateOf(HWND w) {
  return reinterpret_cast<TdlgNewFoto*>(GetWindowLongPtrW(w, GWLP_USERDATA));
}

std::wstring DateTimeText(const SYSTEMTIME& t) {
  wchar_t date[64] = L"", time[64] = L"";
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, 64);
  GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &t, nullptr, time, 64);
  return std::wstring(date) + L" " + time;
}

std::wstring ModifiedText(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  FILETIME local{};
  SYSTEMTIME t{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &t))
    return L"";
  return DateTimeText(t);
}

void DrawPreview(HDC dc, const RECT& r, const Bitmap& picture) {
  FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  if (picture.Empty() || picture.Format() != PixelFormat::pf24bit) return;
  const BITMAPINFO info = TopDown24BitInfo(picture.Width(), picture.Height());
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchDIBits(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0, 0, picture.Width(),
                picture.Height(), picture.Row(0), &info, DIB_RGB_COLORS, SRCCOPY);
}

LRESULT CALLBACK NewFotoProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  try {
    if (message == WM_NCCREATE)
      SetWindowLongPtrW(window, GWLP_USERDATA,
                        LONG_PTR(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
    TdlgNewFoto* s = StateOf(window);
    if (!s) return DefWindowProcW(window, message, w, l);
    switch (message) {
      case WM_COMMAND:
        if (LOWORD(w) == IDYES || LOWORD(w) == IDNO || LOWORD(w) == IDCANCEL) {
          s->yes = LOWORD(w) == IDYES;
          s->done = true;
          return 0;
        }
        break;
      case WM_CLOSE: s->done = true; return 0;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        DrawPreview(dc, s->layout.newPreview, *s->fresh);
        DrawPreview(dc, s->layout.oldPreview, s->old);
        EndPaint(window, &ps);
        return 0;
      }
    }
  } catch (...) {
    // A preview that cannot be drawn is no reason to take the host down.
  }
  return DefWindowProcW(window, message, w, l);
}

void AddControl(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style,
                const RECT& r, int id) {
  HWND child = CreateWindowExW(0, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                               r.right - r.left, r.bottom - r.top, parent,
                               reinterpret_cast<HMENU>(INT_PTR(id)), ThisModule(), nullptr);
  SendMessageW(child, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

bool Create(TdlgNewFoto& s, int purpose, const std::string& existingFile) {
  if (!RegisterWindowClassOnce(ThisModule(), kNewFotoClassName, NewFotoProc)) return false;
  const bool signature = purpose == 2;
  std::string name = existingFile.substr(existingFile.find_last_of("\\/") + 1);
  std::wstring caption = (signature ? L"Signatur finns redan" : L"Foto finns redan") +
                         std::wstring(L" (") + Wide(name) + L")";
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT | WS_EX_TOPMOST;
  RECT outer{0, 0, s.layout.client.cx, s.layout.client.cy};
  AdjustWindowRectEx(&outer, style, FALSE, exStyle);
  const int width = outer.right - outer.left, height = outer.bottom - outer.top;
  s.window = CreateWindowExW(exStyle, kNewFotoClassName, caption.c_str(), style,
                             (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                             (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr,
                             nullptr, ThisModule(), &s);
  if (!s.window) return false;
  const NewFotoLayout& L = s.layout;
  AddControl(s.window, L"STATIC",
             signature ? L"Vill du byta ut denna nya signatur" : L"Vill du byta ut detta nya foto",
             SS_CENTER, L.newText, kNewTextId);
  AddControl(s.window, L"STATIC",
             signature ? L"mot denna som redan finns ?" : L"mot detta som redan finns ?", SS_CENTER,
             L.oldText, kOldTextId);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  AddControl(s.window, L"STATIC", DateTimeText(now), SS_CENTER, L.newDate, kNewDateId);
  AddControl(s.window, L"STATIC", ModifiedText(existingFile), SS_CENTER, L.oldDate, kOldDateId);
  AddControl(s.window, L"BUTTON", L"Ja", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, L.yes, IDYES);
  AddControl(s.window, L"BUTTON", L"Nej", BS_PUSHBUTTON | WS_TABSTOP, L.no, IDNO);
  return true;
}

void RunModal(TdlgNewFoto& s, HWND owner) {
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  ShowWindow(s.window, SW_SHOW);
  SetForegroundWindow(s.window);
  SetFocus(GetDlgItem(s.window, IDYES));
  RunModalLoop(s.window, s.done);
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  DestroyWindow(s.window);
  s.window = nullptr;
  if (owner) SetForegroundWindow(owner);
}

}  // namespace

bool ShowNewFoto(HWND owner, const Bitmap& newPicture, const std::string& existingFile,
                 int purpose) {
  TdlgNewFoto s;
  s.fresh = &newPicture;
  s.layout = LayoutFor(purpose);
  try {
    if (!LoadPictureToBitmap(existingFile, s.old)) {
      s.old = Bitmap();
      ShowMessageBox(purpose == 2 ? "Det gick inte att ladda den gamla signaturen."
                                  : "Det gick inte att ladda den gamla bilden.",
                     "", MB_ICONINFORMATION, MB_OK);
    } else {
      s.old.SetPixelFormat(PixelFormat::pf24bit);
    }
  } catch (const std::exception&) {
    s.old = Bitmap();  // too large to preview: the question still stands
  }
  if (!Create(s, purpose, existingFile)) return false;
  RunModal(s, owner);
  return s.yes;
}

}  // namespace vemra
