#include "imaging/win32/MessageBoxes.h"

#include <windows.h>

#include "imaging/win32/GdiDrawing.h"

namespace vemra {

const char* const kApplicationTitle = "VemraSDK";

namespace {

// A window of ours that is active on this thread, if any.
HWND ActiveLibraryWindow() {
  HWND active = GetActiveWindow();
  DWORD process = 0;
  if (!active || !GetWindowThreadProcessId(active, &process) ||
      process != GetCurrentProcessId())
    return nullptr;
  return active;
}

void HandlePendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

int ShowMessageBox(const std::string& text, const std::string& caption, unsigned iconFlags,
                   unsigned buttonFlags) {
  const std::wstring title = WideFromUtf8(caption.empty() ? kApplicationTitle : caption);
  const UINT flags = iconFlags | buttonFlags;
  if (HWND owner = ActiveLibraryWindow()) {
    HandlePendingMessages();
    return MessageBoxW(owner, WideFromUtf8(text).c_str(), title.c_str(), flags);
  }
  return MessageBoxW(nullptr, WideFromUtf8(text).c_str(), title.c_str(), flags | MB_SYSTEMMODAL);
}

int ShowInfoMessage(const std::string& text) {
  return ShowMessageBox(text, "", MB_ICONINFORMATION, MB_OK);
}

int ShowErrorMessage(const std::string& text) {
  return ShowMessageBox(text, "", MB_ICONERROR, MB_OK);
}

}  // namespace vemra
