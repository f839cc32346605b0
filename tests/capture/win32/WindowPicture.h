#pragma once
// Pictures of the windows the capture tests drive, for a person to look at.
#include <windows.h>

#include <string>

namespace vemra {

// The folder of the running test program, with "\".
std::string ExeFolder();
// The window as a person sees it, frame included, saved as `name` (a BMP)
// beside the test program.
void SaveScreenshot(HWND window, const std::string& name);

}  // namespace vemra
