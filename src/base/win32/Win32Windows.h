#pragma once
// Small pieces every window and every device-independent bitmap of the
// library needs.
#include <windows.h>
// Canvas has a member of this name; the library calls TextOutW by name.
#undef TextOut

namespace vemra {

// The module this code is linked into (the DLL, or a test program), which
// owns the library's window classes.
HINSTANCE ThisModule();
// Registers a plain window class of that module unless it exists already;
// dialogs keep the button face behind them.
bool RegisterWindowClassOnce(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                             HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                             UINT style = 0);
// A window procedure that lets nothing escape into the system's frames or
// the host's: a message whose handling fails answers 0 and leaves the
// window as it was.
template <LRESULT (*Handler)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK GuardedWindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  try {
    return Handler(window, message, w, l);
  } catch (...) {
    return 0;
  }
}
// A 24-bit top-down layout, rows from the top like our bitmaps.
BITMAPINFO TopDown24BitInfo(int width, int height);

// Lets the messages already waiting run, so windows repaint while work goes
// on. A quit message belongs to the host's own loop and is posted back.
void PumpPendingMessages();
// The message loop of a modal window of ours: runs until `done`, with
// dialog keys for `window`. A quit message ends it and goes back to the host.
void RunModalLoop(HWND window, const bool& done);

}  // namespace vemra
