#pragma once
// TdlgNewFoto: asks before a stored photo or signature is replaced,
// showing the new picture beside the one on disk.
#include <windows.h>

#include <string>

#include "imaging/Bitmap.h"

namespace vemra {

// True exactly when the user pressed "Ja". `existingFile` is an ANSI path;
// purpose 1 photo, 2 signature. Modal over `owner` (may be null).
bool ShowNewFoto(HWND owner, const Bitmap& newPicture, const std::string& existingFile,
                 int purpose);

inline constexpr wchar_t kNewFotoClassName[] = L"TdlgNewFoto";

}  // namespace vemra
