#include "layout/printing/PreviewLayout.h"

#include <algorithm>
#include <cmath>

namespace vemra {

PreviewLayout LayoutPreview(int pictureWidth, int pictureHeight, int screenWidth, int screenHeight) {
  PreviewLayout l;
  const int roomWidth = screenWidth - kPreviewExtraWidth;
  const int roomHeight = screenHeight - kPreviewScreenMarginHeight;
  l.displayWidth = pictureWidth;
  l.displayHeight = pictureHeight;
  l.shrunk = (pictureWidth > roomWidth || pictureHeight > roomHeight) && roomWidth > 0 &&
             roomHeight > 0 && pictureWidth > 0 && pictureHeight > 0;
  if (l.shrunk) {
    // nearbyint rounds halves to even, as every computed size here does.
    if (double(pictureHeight) / roomHeight >= double(pictureWidth) / roomWidth) {
      l.factor = double(roomHeight) / pictureHeight;
      l.displayWidth = std::max(1, int(std::nearbyint(pictureWidth * l.factor)));
      l.displayHeight = roomHeight;
    } else {
      l.factor = double(roomWidth) / pictureWidth;
      l.displayWidth = roomWidth;
      l.displayHeight = std::max(1, int(std::nearbyint(pictureHeight * l.factor)));
    }
    l.zoomPercent = int(std::nearbyint(l.factor * 100));
  }
  const int width = l.displayWidth + kPreviewExtraWidth;
  const int height = l.displayHeight + kPreviewExtraHeight;
  const int left = CentredLeft(width, screenWidth);
  const int top = l.shrunk ? kPreviewTopWhenShrunk : (screenHeight - height) / 2;
  l.window = {left, top, left + width, top + height};
  return l;
}

int FullSizeViewWidth(int currentWidth, int pictureWidth, int screenWidth) {
  const int wanted = std::min(pictureWidth + kPreviewExtraWidth, screenWidth - kPreviewExtraWidth);
  return std::max(currentWidth, wanted);
}

}  // namespace vemra
