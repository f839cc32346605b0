// Colour-to-transparent, over the whole picture or a region grown from a
// seed. The region grows through a work list, not recursion, so a picture
// of one colour cannot overflow the stack.
#include <cstdlib>
#include <deque>

#include "imaging/LynImageEx.h"

namespace vemra {
namespace {

struct Reference {
  int red, green, blue, tolerance;
  bool Similar(const std::uint8_t* p) const {
    return std::abs(p[2] - red) <= tolerance && std::abs(p[1] - green) <= tolerance &&
           std::abs(p[0] - blue) <= tolerance;
  }
};

using Mask = std::vector<std::uint8_t>;

void SelectAll(const Bitmap& b, const Reference& ref, Mask& mask) {
  for (int y = 0; y < b.Height(); ++y) {
    const std::uint8_t* p = b.Row(y);
    for (int x = 0; x < b.Width(); ++x, p += 3) mask[std::size_t(y) * b.Width() + x] = ref.Similar(p);
  }
}

// Neighbours right, left, below, above. The seed itself joins only when a
// similar neighbour finds it.
void GrowRegion(const Bitmap& b, const Reference& ref, int seedX, int seedY, Mask& mask) {
  const int w = b.Width(), h = b.Height();
  std::deque<std::pair<int, int>> work{{seedX, seedY}};
  while (!work.empty()) {
    const auto [x, y] = work.front();
    work.pop_front();
    const int next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
    for (const auto& n : next) {
      if (n[0] < 0 || n[0] >= w || n[1] < 0 || n[1] >= h) continue;
      std::uint8_t& flag = mask[std::size_t(n[1]) * w + n[0]];
      if (flag || !ref.Similar(b.Row(n[1]) + 3 * n[0])) continue;
      flag = 1;
      work.push_back({n[0], n[1]});
    }
  }
}

// Plus-shaped dilation: a pixel joins when a selected pixel lies at most
// `spread` straight left, right, above or below. Tracking the distance to
// the last selected pixel keeps it one pass per direction.
Mask Spread(const Mask& mask, int w, int h, int spread) {
  Mask out = mask;
  auto sweep = [&](std::size_t start, std::ptrdiff_t step, int count) {
    long since = spread + 1L;
    for (int i = 0; i < count; ++i) {
      const std::size_t at = std::size_t(std::ptrdiff_t(start) + step * i);
      since = mask[at] ? 0 : since + 1;
      if (since <= spread) out[at] = 1;
    }
  };
  for (int y = 0; y < h; ++y) {
    sweep(std::size_t(y) * w, 1, w);
    sweep(std::size_t(y) * w + w - 1, -1, w);
  }
  for (int x = 0; x < w; ++x) {
    sweep(std::size_t(x), w, h);
    sweep(std::size_t(h - 1) * w + x, -std::ptrdiff_t(w), h);
  }
  return out;
}

}  // namespace

// A seed outside the picture selects nothing.
bool MakeColourTransparent(Bitmap& bitmap, ColourValue key, int tolerance, int spread,
                           int seedRow, int seedColumn) {
  try {
    bitmap.SetPixelFormat(PixelFormat::pf24bit);
    const int w = bitmap.Width(), h = bitmap.Height();
    const Reference ref{RedOf(key), GreenOf(key), BlueOf(key), tolerance};
    Mask mask(std::size_t(w) * std::size_t(h), 0);
    if (seedColumn < 0) {
      SelectAll(bitmap, ref, mask);
    } else if (seedColumn < w && seedRow >= 0 && seedRow < h) {
      GrowRegion(bitmap, ref, seedColumn, seedRow, mask);
      if (spread > 0) mask = Spread(mask, w, h, spread);
    }
    for (int y = 0; y < h; ++y) {
      std::uint8_t* p = bitmap.Row(y);
      for (int x = 0; x < w; ++x, p += 3)
        if (mask[std::size_t(y) * w + x])
          p[0] = std::uint8_t(ref.blue), p[1] = std::uint8_t(ref.green), p[2] = std::uint8_t(ref.red);
    }
    bitmap.transparentColour = key & 0xFFFFFF;
    bitmap.transparent = true;
    return bitmap.transparent;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace vemra
