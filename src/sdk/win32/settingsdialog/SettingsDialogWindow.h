#pragma once
// What the settings dialog's window procedure and its preview controls
// share: the dialog's state and the previews' geometry.
#include <windows.h>

#include "imaging/Bitmap.h"
#include "sdk/settingsdialog/SettingsDialogService.h"

namespace vemra {

struct TdlgdllSettings {
  HWND window = nullptr;
  SettingsDialogModel* model = nullptr;
  const SettingsDialogHooks* hooks = nullptr;
  HFONT previewFont = nullptr;  // bold Arial of the preview lines
  Bitmap logo;                  // 24-bit copy of the logo preview's picture
};

// The state of the dialog that `window` or one of its descendants belongs to.
TdlgdllSettings* DialogStateOf(HWND window);

// The split line moved: caption of "Dela" and the preview repainted.
void SplitLineMoved(TdlgdllSettings& s);

inline constexpr wchar_t kSplitPreviewClass[] = L"TVemraSplitPreview";
inline constexpr wchar_t kLogoPanelClass[] = L"TVemraLogoPanel";
inline constexpr wchar_t kLogoPictureClass[] = L"TVemraLogoPicture";
bool RegisterPreviewClasses();

// A split preview is this long across the split and this broad along it;
// the vertical one is the horizontal one turned.
inline constexpr int kSplitPreviewLength = 120, kSplitPreviewBreadth = 104;

}  // namespace vemra
