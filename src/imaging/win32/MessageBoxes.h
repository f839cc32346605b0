#pragma once
// Message boxes. Texts are UTF-8 (our Swedish literals; convert ANSI paths
// with Utf8() first).
#include <string>

namespace vemra {

// The title message boxes carry when given no caption.
extern const char* const kApplicationTitle;

// Returns the pressed button (IDOK, IDYES...). Owned by the library's
// active window when there is one, otherwise system-modal.
int ShowMessageBox(const std::string& text, const std::string& caption, unsigned iconFlags,
                   unsigned buttonFlags);
int ShowInfoMessage(const std::string& text);
int ShowErrorMessage(const std::string& text);

}  // namespace vemra
