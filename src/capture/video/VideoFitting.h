#pragma once
// Where live video goes in the capture dialog: the Video for Windows
// picture inside its black panel, the DirectShow window around the
// device's frames, and the size a frozen frame is shown at.
#include <optional>
#include <string>

#include "capture/framing/FramingGeometry.h"

namespace vemra {

inline constexpr ScreenSize kVideoPanelSize{720, 540};        // pVideo
inline constexpr ScreenSize kDirectShowWindowSize{704, 528};  // the renderer's window
inline constexpr int kDefaultPreviewRate = 30;                // frames per second

// The capture window inside the panel: the video's aspect at the largest
// size that fits. A video without a size takes the whole panel.
ScreenSize FitProportionally(ScreenSize video, ScreenSize panel);

// The DirectShow window for a device delivering `video`: unchanged when
// the aspect is the same (or the device told nothing), else the side that
// binds keeps its length.
ScreenSize FitVideoWindow(ScreenSize window, ScreenSize video);

// "640 x 480" as the device's format text says it; anything else is 0 x 0.
ScreenSize ParseVideoFormat(const std::string& text);
std::string VideoFormatText(int width, int height);

// Milliseconds between preview frames at a rate kept within 1..30.
int PreviewIntervalMs(int framesPerSecond);

// A frozen frame shown at its own aspect, as large as the live picture
// was, and never smaller than the frame, so that what OK stores lies
// inside the picture.
ScreenSize FrozenDisplaySize(ScreenSize picture, ScreenSize liveArea, ScreenSize frame);

}  // namespace vemra
