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
// Registers a plain window class of that module unless it exists already.
bool RegisterWindowClassOnce(HINSTANCE instance, const wchar_t* name, WNDPROC procedure);
// A 24-bit top-down layout, rows from the top like our bitmaps.
BITMAPINFO TopDown24BitInfo(int width, int height);

}  // namespace vemra
