#include "imaging/Rotate.h"

#include <cstring>

namespace vemra {
namespace {

void Copy3(std::uint8_t* to, const std::uint8_t* from) {
  to[0] = from[0], to[1] = from[1], to[2] = from[2];
}

Bitmap Rotated180(const Bitmap& b) {
  Bitmap out(b.Width(), b.Height());
  const int w = b.Width();
  for (int y = 0; y < b.Height(); ++y) {
    const std::uint8_t* in = b.Row(y);
    std::uint8_t* o = out.Row(b.Height() - 1 - y) + 3 * (w - 1);
    for (int x = 0; x < w; ++x, in += 3, o -= 3) Copy3(o, in);
  }
  return out;
}

// Clockwise: new (x, y) is old (y, oldHeight - 1 - x). Walking the old
// rows keeps the reads sequential; the writes go down a column.
Bitmap Rotated90(const Bitmap& b) {
  Bitmap out(b.Height(), b.Width());
  const std::ptrdiff_t step = out.Stride();
  for (int oy = 0; oy < b.Height(); ++oy) {
    const std::uint8_t* in = b.Row(oy);
    std::uint8_t* o = out.Row(0) + 3 * (b.Height() - 1 - oy);
    for (int ox = 0; ox < b.Width(); ++ox, in += 3, o += step) Copy3(o, in);
  }
  return out;
}

// Counter-clockwise: new (x, y) is old (oldWidth - 1 - y, x).
Bitmap Rotated270(const Bitmap& b) {
  Bitmap out(b.Height(), b.Width());
  const std::ptrdiff_t step = out.Stride();
  for (int oy = 0; oy < b.Height(); ++oy) {
    const std::uint8_t* in = b.Row(oy);
    std::uint8_t* o = out.Row(b.Width() - 1) + 3 * oy;
    for (int ox = 0; ox < b.Width(); ++ox, in += 3, o -= step) Copy3(o, in);
  }
  return out;
}

}  // namespace

void RotateBitmapQuarter(int angle, Bitmap& bitmap) {
  if (angle != 90 && angle != 180 && angle != 270) return;
  bitmap.SetPixelFormat(PixelFormat::pf24bit);
  if (bitmap.Empty()) return;
  Bitmap out = angle == 180 ? Rotated180(bitmap) : angle == 90 ? Rotated90(bitmap) : Rotated270(bitmap);
  out.transparent = bitmap.transparent;
  out.transparentColour = bitmap.transparentColour;
  bitmap = std::move(out);
}

}  // namespace vemra
