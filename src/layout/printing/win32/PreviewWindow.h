#pragma once
// The print preview window TdlgPreview: a rendered card, shrunk to fit the
// screen when needed and viewable at full size, with Print, Close and
// Next-page answers. Modal; it closes as soon as it loses the focus.
#include <windows.h>

#include "imaging/Bitmap.h"

namespace vemra {

// IDYES ("Skriv ut"), IDCANCEL ("Stäng", focus lost, window closed) or
// IDRETRY ("Nästa sida >"). IDCANCEL at once for an empty picture.
int ShowPreviewAnswer(const Bitmap& picture, bool showPrint, bool showNext);
// True when the user chose "Skriv ut".
bool ShowPreview(const Bitmap& picture, bool showPrint, bool showNext);

// Control ids, for tests that drive the window.
inline constexpr int kPreviewPrintId = 101;
inline constexpr int kPreviewCloseId = IDCANCEL;
inline constexpr int kPreviewNextId = 103;
inline constexpr int kPreviewFitId = 104;
inline constexpr int kPreviewFullId = 105;
inline constexpr int kPreviewAreaId = 106;
inline constexpr wchar_t kPreviewClassName[] = L"TdlgPreview";

}  // namespace vemra
