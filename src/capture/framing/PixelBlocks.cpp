#include "capture/framing/PixelBlocks.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vemra {
namespace {

PictureRect Clip(PictureRect r, const Bitmap& picture) {
  r.left = std::clamp(r.left, 0, picture.Width());
  r.right = std::clamp(r.right, r.left, picture.Width());
  r.top = std::clamp(r.top, 0, picture.Height());
  r.bottom = std::clamp(r.bottom, r.top, picture.Height());
  return r;
}

}  // namespace

void FillWhite(Bitmap& picture, PictureRect area) {
  area = Clip(area, picture);
  for (int y = area.top; y < area.bottom; ++y)
    std::memset(picture.Row(y) + 3 * std::ptrdiff_t(area.left), 255, 3 * std::size_t(area.Width()));
}

void FillWhiteOutside(Bitmap& picture, PictureRect keep) {
  keep = Clip(keep, picture);
  const int w = picture.Width();
  FillWhite(picture, {0, 0, w, keep.top});
  FillWhite(picture, {0, keep.bottom, w, picture.Height()});
  FillWhite(picture, {0, keep.top, keep.left, keep.bottom});
  FillWhite(picture, {keep.right, keep.top, w, keep.bottom});
}

void StretchCopy(const Bitmap& source, PictureRect from, Bitmap& target) {
  const int tw = target.Width();
  const int th = target.Height();
  if (tw == 0 || th == 0 || from.Width() <= 0 || from.Height() <= 0) return;
  if (from.Width() == tw && from.Height() == th) {
    for (int y = 0; y < th; ++y)
      std::memcpy(target.Row(y), source.Row(from.top + y) + 3 * std::ptrdiff_t(from.left),
                  3 * std::size_t(tw));
    return;
  }
  std::vector<std::ptrdiff_t> column(tw);
  for (int x = 0; x < tw; ++x)
    column[x] = 3 * (from.left + std::ptrdiff_t(std::int64_t(x) * from.Width() / tw));
  for (int y = 0; y < th; ++y) {
    const std::uint8_t* s = source.Row(from.top + int(std::int64_t(y) * from.Height() / th));
    std::uint8_t* d = target.Row(y);
    for (int x = 0; x < tw; ++x, d += 3) {
      const std::uint8_t* p = s + column[x];
      d[0] = p[0];
      d[1] = p[1];
      d[2] = p[2];
    }
  }
}

Bitmap PadWhite(const Bitmap& picture, int width, int height, int left, int top) {
  Bitmap out(width, height);
  for (int y = 0; y < height; ++y) std::memset(out.Row(y), 255, 3 * std::size_t(width));
  const PictureRect inside = Clip({left, top, left + picture.Width(), top + picture.Height()}, out);
  for (int y = inside.top; y < inside.bottom; ++y)
    std::memcpy(out.Row(y) + 3 * std::ptrdiff_t(inside.left),
                picture.Row(y - top) + 3 * std::ptrdiff_t(inside.left - left),
                3 * std::size_t(inside.Width()));
  return out;
}

}  // namespace vemra
