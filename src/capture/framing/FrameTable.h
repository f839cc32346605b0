#pragma once
// The fixed frame the capture dialog shows the picture in, and the dialog
// size around it. The view calls CaptureFrameSize in SizeFrame (for every
// run, and again for a video source once the video window has its size),
// then sizes the dialog with StillDialogSize (around the live video panel
// for video sources) and finally ScaleForDpi.
#include "capture/framing/FramingGeometry.h"

namespace vemra {

inline constexpr ScreenSize kPhotoFrame{360, 480};             // 3:4
inline constexpr ScreenSize kSignatureFrame{360, 90};          // 4:1
inline constexpr ScreenSize kVideoSignatureFrame{720, 180};    // source 1
inline constexpr int kButtonColumnWidth = 86;
inline constexpr int kBottomBarHeight = 42;

// Purpose 1 photo, 2 signature; source as the SourceMethod codes. A
// DirectShow photo takes its height from the live video window (height /
// 1.1) and stays 3:4; before the window has a usable height it is the
// ordinary photo frame, so the fit never divides by an empty frame.
ScreenSize CaptureFrameSize(int purpose, int source, int videoWindowHeight = 0);

// Dialog of a still-picture source: the frame, the button column and the
// bottom bar with their margins.
ScreenSize StillDialogSize(ScreenSize frame);

// Sizes are laid out for 96 pixels per inch and scaled to the screen's.
ScreenSize ScaleForDpi(ScreenSize size, int pixelsPerInch);

}  // namespace vemra
