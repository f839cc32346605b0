// Quarter turns are transpositions with a mirror. Done row by row, one side
// walks a column and touches a new cache line and page per pixel. In square
// tiles both the rows read and the rows written stay in the first-level
// cache, and the next tile's lines are fetched while this one is copied:
// each row of a tile is a short stream the hardware prefetcher misses.
#include "imaging/Rotate.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace vemra {
namespace {

constexpr int kTile = 64;  // pixels: 64 rows of 192 bytes each way
constexpr int kLine = 64;

void Prefetch(const std::uint8_t* from, std::ptrdiff_t bytes, int write) {
#if defined(__GNUC__)
  for (std::ptrdiff_t o = 0; o < bytes; o += kLine)
    write ? __builtin_prefetch(from + o, 1) : __builtin_prefetch(from + o, 0);
#endif
}

// Copies `count` pixels from a column of the source (successive pixels
// `step` bytes apart) into a destination row. All but the last move four
// bytes; the spare byte lands on the next pixel before it is written.
void CopyColumnToRow(const std::uint8_t* from, std::ptrdiff_t step, std::uint8_t* to, int count) {
  for (int i = 0; i + 1 < count; ++i, from += step, to += 3) {
    std::uint32_t pixel;
    std::memcpy(&pixel, from, 4);
    std::memcpy(to, &pixel, 4);
  }
  std::memcpy(to, from, 3);
}

// Destination pixel (x, y) comes from `first(y) + x * step`, where first
// moves by 3 bytes (either way) from one y to the next.
template <typename First>
void Transpose(Bitmap& out, First first, std::ptrdiff_t step) {
  for (int y0 = 0; y0 < out.Height(); y0 += kTile) {
    const int y1 = std::min(out.Height(), y0 + kTile);
    const std::uint8_t* lowest = std::min(first(y0), first(y1 - 1));
    for (int x0 = 0; x0 < out.Width(); x0 += kTile) {
      const int count = std::min(kTile, out.Width() - x0), next = x0 + kTile;
      for (int x = next; x < std::min(out.Width(), next + kTile); ++x)
        Prefetch(lowest + x * step, 3 * (y1 - y0), 0);
      if (next < out.Width())
        for (int y = y0; y < y1; ++y) Prefetch(out.Row(y) + 3 * next, 3 * std::min(kTile, out.Width() - next), 1);
      for (int y = y0; y < y1; ++y) CopyColumnToRow(first(y) + x0 * step, step, out.Row(y) + 3 * x0, count);
    }
  }
}

Bitmap Rotated90(const Bitmap& b) {
  Bitmap out = Bitmap::Uninitialised(b.Height(), b.Width());
  const std::uint8_t* bottom = b.Row(b.Height() - 1);
  Transpose(out, [&](int y) { return bottom + 3 * y; }, -b.Stride());
  return out;
}

Bitmap Rotated270(const Bitmap& b) {
  Bitmap out = Bitmap::Uninitialised(b.Height(), b.Width());
  const std::uint8_t* top = b.Row(0);
  Transpose(out, [&](int y) { return top + 3 * (b.Width() - 1 - y); }, b.Stride());
  return out;
}

void Swap3(std::uint8_t* a, std::uint8_t* b) {
  std::uint8_t t[3];
  std::memcpy(t, a, 3), std::memcpy(a, b, 3), std::memcpy(b, t, 3);
}

std::uint32_t Word(const std::uint8_t* p) {
  std::uint32_t w;
  std::memcpy(&w, p, 4);
  return w;
}

void PutWord(std::uint8_t* p, std::uint32_t w) { std::memcpy(p, &w, 4); }

// Writes the four pixels held in words a, b, c in reverse order, in 32-bit
// words since the DLL is 32-bit: p0 = a:0-23, p1 = a:24-31 b:0-15,
// p2 = b:16-31 c:0-7, p3 = c:8-31.
inline void PutReversed(std::uint8_t* p, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
  PutWord(p, c >> 8 | b >> 16 << 24);
  PutWord(p + 4, b >> 24 | (c & 0xFF) << 8 | a >> 24 << 16 | b << 24);
  PutWord(p + 8, (b >> 8 & 0xFF) | a << 8);
}

// Exchanges the pixels of two rows, each reversed: left[i] <-> right[w-1-i].
void SwapReversed(std::uint8_t* left, std::uint8_t* right, int w) {
  int i = 0;
  for (; i + 4 <= w; i += 4) {
    std::uint8_t* l = left + 3 * i;
    std::uint8_t* r = right + 3 * (w - 4 - i);
    const std::uint32_t la = Word(l), lb = Word(l + 4), lc = Word(l + 8);
    const std::uint32_t ra = Word(r), rb = Word(r + 4), rc = Word(r + 8);
    PutReversed(l, ra, rb, rc);
    PutReversed(r, la, lb, lc);
  }
  for (; i < w; ++i) Swap3(left + 3 * i, right + 3 * (w - 1 - i));
}

// In place: row r trades places with row height - 1 - r, each reversed.
void Rotate180(Bitmap& b) {
  const int w = b.Width(), h = b.Height();
  for (int r = 0; r < h / 2; ++r) SwapReversed(b.Row(r), b.Row(h - 1 - r), w);
  if (h % 2 != 0) {
    std::vector<std::uint8_t> middle(b.Row(h / 2), b.Row(h / 2) + 3 * std::ptrdiff_t(w));
    SwapReversed(middle.data(), b.Row(h / 2), w);
  }
}

}  // namespace

void RotateBitmapQuarter(int angle, Bitmap& bitmap) {
  if (angle != 90 && angle != 180 && angle != 270) return;
  bitmap.SetPixelFormat(PixelFormat::pf24bit);
  if (bitmap.Empty()) return;
  if (angle == 180) return Rotate180(bitmap);
  Bitmap out = angle == 90 ? Rotated90(bitmap) : Rotated270(bitmap);
  out.transparent = bitmap.transparent;
  out.transparentColour = bitmap.transparentColour;
  bitmap = std::move(out);
}

}  // namespace vemra
