#include "base/win32/Win32Windows.h"
#include "imaging/win32/StatusWindow.h"

#include "imaging/win32/GdiDrawing.h"

namespace vemra {
namespace {

constexpr wchar_t kClassName[] = L"TdlgDispStatus";
constexpr int kClientWidth = 392;
constexpr int kWindowHeight = 74;
constexpr int kIdStat = 100, kIdAbort = 101;
constexpr UINT_PTR kTimer = 1;

// The library-wide instance: window and its message label lStat.
struct TdlgDispStatus {
  HWND window = nullptr;
  HWND lStat = nullptr;
};
TdlgDispStatus status;

LRESULT CALLBACK StatusProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_CLOSE) return 0;  // only HideStatus closes it
  return DefWindowProcW(window, message, w, l);
}


// A fixed-size captioned window centred on the desktop; its cancel button
// exists for the same window layout but stays hidden.
bool Create() {
  HINSTANCE instance = ThisModule();
  if (!RegisterWindowClassOnce(instance, kClassName, StatusProc)) return false;
  const DWORD style = WS_POPUP | WS_CAPTION | WS_BORDER;
  RECT frame{0, 0, kClientWidth, 0};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
  const int width = frame.right - frame.left;
  RECT desktop{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &desktop, 0);
  const int x = desktop.left + (desktop.right - desktop.left - width) / 2;
  const int y = desktop.top + (desktop.bottom - desktop.top - kWindowHeight) / 2;
  status.window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, L"", style, x, y,
                                  width, kWindowHeight, nullptr, nullptr, instance, nullptr);
  if (!status.window) return false;
  RECT client{};
  GetClientRect(status.window, &client);
  status.lStat = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_CENTER, 8, 8,
                                 client.right - 16, client.bottom - 16, status.window,
                                 reinterpret_cast<HMENU>(INT_PTR(kIdStat)), instance, nullptr);
  CreateWindowExW(0, L"BUTTON", L"Avbryt", WS_CHILD | BS_PUSHBUTTON, client.right - 88,
                  client.bottom - 30, 80, 24, status.window,
                  reinterpret_cast<HMENU>(INT_PTR(kIdAbort)), instance, nullptr);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  SendMessageW(status.lStat, WM_SETFONT, WPARAM(font), FALSE);
  return true;
}

}  // namespace

void ShowStatus(const std::string& message, bool stayOnTop) {
  if (!status.window && !Create()) return;
  if (stayOnTop)
    SetWindowPos(status.window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowTextW(status.window, L"");
  SetWindowTextW(status.lStat, WideFromUtf8(message).c_str());
  ShowWindow(status.window, SW_SHOWNOACTIVATE);
  RedrawWindow(status.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void HideStatus() {
  if (!status.window) return;
  KillTimer(status.window, kTimer);
  DestroyWindow(status.window);
  status = TdlgDispStatus{};
}

HWND StatusWindowHandle() { return status.window; }

}  // namespace vemra
