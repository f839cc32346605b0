#pragma once
// Block operations on 24-bit pictures used by the framing tools.
#include "capture/framing/FramingGeometry.h"
#include "imaging/Bitmap.h"

namespace vemra {

// Fills a rectangle (clipped to the picture) with white.
void FillWhite(Bitmap& picture, PictureRect area);
// White everywhere except `keep`.
void FillWhiteOutside(Bitmap& picture, PictureRect keep);
// Copies `from` of `source` onto all of `target`, stretching by nearest
// neighbour when the sizes differ. `from` must lie inside `source`.
void StretchCopy(const Bitmap& source, PictureRect from, Bitmap& target);
// A white picture of the given size with `picture` drawn at (left, top).
Bitmap PadWhite(const Bitmap& picture, int width, int height, int left, int top);

}  // namespace vemra
