#include "base/win32/Win32Windows.h"
#include "layout/printing/win32/ProgressWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>

#include "base/Throttle.h"
#include "base/win32/Win32Platform.h"

namespace vemra {
namespace {

constexpr wchar_t kClassName[] = L"TdlgProgress";
constexpr int kClientWidth = 320;
constexpr int kWindowHeight = 84;
constexpr int kBarId = 101, kCancelId = IDCANCEL;

struct TdlgProgress {
  HWND window = nullptr;
  HWND lStatus = nullptr;
  HWND pbProgress = nullptr;
  HWND btCancel = nullptr;
  int counter = 0;
  int maximum = 0;
  bool aborted = false;
  // Repainting for every record of a long layout costs more than drawing
  // it; the eye sees no difference at 50 ms.
  Throttle repaint{50, [] { return std::uint32_t(GetTickCount()); }};
};
TdlgProgress progress;

LRESULT CALLBACK ProgressProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_COMMAND && LOWORD(w) == kCancelId) {
    progress.aborted = true;
    return 0;
  }
  if (message == WM_CLOSE) return 0;  // the job closes it
  return DefWindowProcW(window, message, w, l);
}


HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id,
           HINSTANCE instance) {
  HWND child = CreateWindowExW(0, cls, text, WS_CHILD | style, x, y, w, h, progress.window,
                               reinterpret_cast<HMENU>(INT_PTR(id)), instance, nullptr);
  SendMessageW(child, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

bool Create() {
  HINSTANCE instance = ThisModule();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  if (!RegisterWindowClassOnce(instance, kClassName, ProgressProc)) return false;
  const DWORD style = WS_POPUP | WS_CAPTION;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST;
  RECT frame{0, 0, kClientWidth, 60};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  progress.window = CreateWindowExW(exStyle, kClassName, L"", style, 0, 0, frame.right - frame.left,
                                    frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (!progress.window) return false;
  progress.lStatus = Child(L"STATIC", L"", WS_VISIBLE | SS_CENTER, 8, 6, kClientWidth - 16, 16,
                           kProgressStatusId, instance);
  progress.pbProgress = Child(PROGRESS_CLASSW, L"", WS_VISIBLE, 8, 26, kClientWidth - 16, 16, kBarId, instance);
  progress.btCancel = Child(L"BUTTON", L"Cancel", BS_PUSHBUTTON, (kClientWidth - 80) / 2, 50, 80, 24,
                            kCancelId, instance);
  return true;
}

// Centred on the desktop at the job's fixed height.
void Place() {
  RECT r{};
  GetWindowRect(progress.window, &r);
  const int width = r.right - r.left;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
  SetWindowPos(progress.window, HWND_TOPMOST, x, y, width, kWindowHeight, SWP_NOACTIVATE);
}

}  // namespace

void ShowProgress(const std::string& title, int maximum) {
  if (!progress.window && !Create()) return;
  progress.counter = 0;
  progress.maximum = maximum;
  progress.aborted = false;
  progress.repaint.Reset();  // the first step of every side shows
  Place();
  ShowWindow(progress.btCancel, SW_HIDE);
  SetWindowTextW(progress.window, WideFromUtf8(title).c_str());
  SetWindowTextW(progress.lStatus, L"");
  SendMessageW(progress.pbProgress, PBM_SETRANGE32, 0, std::max(maximum, 0));
  SendMessageW(progress.pbProgress, PBM_SETPOS, 0, 0);
  ShowWindow(progress.window, SW_SHOWNOACTIVATE);
  RedrawWindow(progress.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void StepProgress() {
  if (!progress.window) return;
  ++progress.counter;
  // The last step always shows.
  if (progress.counter < progress.maximum && !progress.repaint.Due()) return;
  SendMessageW(progress.pbProgress, PBM_SETPOS, WPARAM(progress.counter), 0);
  wchar_t status[32];
  std::swprintf(status, 32, L"%d/%d", progress.counter, progress.maximum);
  SetWindowTextW(progress.lStatus, status);
  PumpPendingMessages();
  if (progress.window) UpdateWindow(progress.window);
}

void CloseProgress() {
  if (!progress.window) return;
  DestroyWindow(progress.window);
  progress = TdlgProgress{};
}

bool ProgressAborted() { return progress.aborted; }

HWND ProgressWindowHandle() { return progress.window; }

}  // namespace vemra
