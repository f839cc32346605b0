#pragma once
// Sizes and places the print preview window for a card picture on a screen.
#include "layout/render/Canvas.h"

namespace vemra {

// Room the window's frame, tool bar and button bar take around the picture.
inline constexpr int kPreviewExtraWidth = 86;
inline constexpr int kPreviewExtraHeight = 114;
inline constexpr int kPreviewScreenMarginHeight = 162;
inline constexpr int kPreviewTopWhenShrunk = 8;

struct PreviewLayout {
  bool shrunk = false;        // picture larger than the room: shown shrunk, with the view buttons
  int displayWidth = 0;       // of the picture as first shown
  int displayHeight = 0;
  double factor = 1;          // displayed / full size
  int zoomPercent = 100;      // the first view button's hint
  PixelRect window;           // on the screen
};

PreviewLayout LayoutPreview(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight);

// Window width for the full-size view: widened to show the picture, never
// beyond the screen's room, never narrowed.
int FullSizeViewWidth(int currentWidth, int pictureWidth, int screenWidth);

// Left edge that centres a window of `width` on the screen.
inline int CentredLeft(int width, int screenWidth) { return (screenWidth - width) / 2; }

}  // namespace vemra
