#pragma once
// TdlgCaptureOverlaySettings ("Inställningar"): the overlay's colour and
// opacity, changed on the overlay at once.
#include <windows.h>

namespace vemra {

inline constexpr wchar_t kOverlaySettingsClassName[] = L"TdlgCaptureOverlaySettings";
enum OverlaySettingsControlId {
  kIdOverlayColour = 100,  // cbOverlayColor
  kIdOverlayOpacityLabel,  // "Opacitet: 50%"
  kIdOverlayOpacity,       // the track bar, 0..100
};

// Modal; true when it ended with OK (the look then holds for later overlays).
bool EditCaptureOverlay();

}  // namespace vemra
