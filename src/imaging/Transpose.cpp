// Done row by row, one side of a transposition walks a column and touches
// a new cache line and page per pixel. In square tiles both the rows read
// and the rows written stay in the first-level cache, and the next tile's
// lines are fetched while this one is copied: each row of a tile is a
// short stream the hardware prefetcher misses. (A 4 x 4 SSSE3 block
// version measured twice as slow as this pixel loop, which is bound by the
// loads down the columns.)
#include "imaging/Transpose.h"

#include <algorithm>
#include <cstring>

namespace vemra {
namespace {

constexpr int kTile = 64;  // pixels: 64 rows of 192 bytes each way
constexpr int kLine = 64;

struct Source {
  const std::uint8_t* origin;
  int direction;
  std::ptrdiff_t step;
  const std::uint8_t* At(int x, int y) const { return origin + 3 * direction * std::ptrdiff_t(y) + step * x; }
};

void Prefetch(const std::uint8_t* from, std::ptrdiff_t bytes, bool write) {
#if defined(__GNUC__)
  for (std::ptrdiff_t o = 0; o < bytes; o += kLine)
    write ? __builtin_prefetch(from + o, 1) : __builtin_prefetch(from + o, 0);
#endif
}

// Fetches the tile right of (x0, y0..y1) on both sides.
void PrefetchNext(const Source& s, Bitmap& out, int x0, int y0, int y1) {
  const int next = x0 + kTile, end = std::min(out.Width(), next + kTile);
  const std::ptrdiff_t bytes = 3 * std::ptrdiff_t(y1 - y0);
  for (int x = next; x < end; ++x) Prefetch(std::min(s.At(x, y0), s.At(x, y1 - 1)), bytes, false);
  for (int y = y0; next < end && y < y1; ++y) Prefetch(out.Row(y) + 3 * next, 3 * (end - next), true);
}

// Pixels x0..x1 of destination row y. All but the last move four bytes;
// the spare byte lands on the next pixel before it is written.
void CopyRun(const Source& s, Bitmap& out, int y, int x0, int x1) {
  const std::uint8_t* from = s.At(x0, y);
  std::uint8_t* to = out.Row(y) + 3 * x0;
  for (int x = x0; x + 1 < x1; ++x, from += s.step, to += 3) {
    std::uint32_t pixel;
    std::memcpy(&pixel, from, 4);
    std::memcpy(to, &pixel, 4);
  }
  if (x1 > x0) std::memcpy(to, from, 3);
}

void CopyTile(const Source& s, Bitmap& out, int x0, int x1, int y0, int y1) {
  for (int y = y0; y < y1; ++y) CopyRun(s, out, y, x0, x1);
}

}  // namespace

void TransposeInto(Bitmap& out, const std::uint8_t* origin, int direction, std::ptrdiff_t step) {
  const Source s{origin, direction, step};
  for (int y0 = 0; y0 < out.Height(); y0 += kTile) {
    const int y1 = std::min(out.Height(), y0 + kTile);
    for (int x0 = 0; x0 < out.Width(); x0 += kTile) {
      PrefetchNext(s, out, x0, y0, y1);
      CopyTile(s, out, x0, std::min(out.Width(), x0 + kTile), y0, y1);
    }
  }
}

}  // namespace vemra
