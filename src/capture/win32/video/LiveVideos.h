#pragma once
// The two kinds of live camera the capture dialog knows, bound to the
// panel it shows live video in.
#include <windows.h>

#include <functional>
#include <memory>

#include "capture/session/VideoPictureSource.h"

namespace vemra {

using VideoPanel = std::function<HWND()>;

// Source 1: a Video for Windows capture driver. `chosenDriver` is the
// dialog's driver index, kept between its runs.
std::unique_ptr<LiveVideo> MakeVideoForWindows(VideoPanel panel, int& chosenDriver);

// Source 61: the first DirectShow video input device.
std::unique_ptr<LiveVideo> MakeDirectShowVideo(VideoPanel panel, int purpose);

// Window classes and video menu ids, for tests that drive them.
inline constexpr wchar_t kVideoCapClassName[] = L"TVideoCap";
inline constexpr wchar_t kDirectShowVideoClassName[] = L"TVideoWindow";
enum VideoMenuId {
  kIdVideoSource = 700,  // "Source..."
  kIdVideoDisplay,       // "Display..."
  kIdVideoFormat,        // "Format..."
  kIdVideoOverlay,       // "Connect as" / "Overlay"
  kIdVideoPreview,       // "Connect as" / "Preview"
  kIdVideoDriver = 710,  // + driver index
};

}  // namespace vemra
