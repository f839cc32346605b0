#pragma once
// The status window shown while a slow operation runs: one line of text,
// centred, on top of other windows. One instance for the library.
#include <windows.h>

#include <string>

namespace vemra {

// Shows (creating once) the window with `message` (UTF-8), painted at once.
void ShowStatus(const std::string& message, bool stayOnTop);
// Closes and frees the window; nothing happens when it is not shown.
void HideStatus();

// For tests: the window while it exists, else null.
HWND StatusWindowHandle();

}  // namespace vemra
