// Done row by row, one side of a transposition walks a column and touches
// a new cache line and page per pixel. With SSSE3, blocks of 4 x 4 pixels
// are widened to 32-bit lanes, transposed in registers and narrowed again,
// eight destination rows at a time across the whole width, so each source
// line fetched serves several strips before it leaves the cache. Without
// it, square tiles keep both the rows read and the rows written in the
// first-level cache while the next tile's lines are fetched.
#include "imaging/Transpose.h"

#include <algorithm>
#include <cstring>

#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
#include <tmmintrin.h>
#define VEMRA_SSSE3 1
#endif

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

#if VEMRA_SSSE3
// Four source rows of four pixels each (12 bytes and 4 spare read) to four
// destination rows. `from` is the lowest-addressed pixel of the first row;
// `widen` puts the pixels in destination order in 32-bit lanes. All 16
// bytes are stored when the 4 past the block are pixels written later.
struct Block4 {
  __m128i widen, narrow;
  __attribute__((target("ssse3"))) explicit Block4(int direction)
      : widen(direction > 0 ? _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1)
                            : _mm_setr_epi8(9, 10, 11, -1, 6, 7, 8, -1, 3, 4, 5, -1, 0, 1, 2, -1)),
        narrow(_mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1)) {}

  __attribute__((target("ssse3"))) __m128i Load(const std::uint8_t* p) const {
    return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), widen);
  }

  __attribute__((target("ssse3"))) void Store(std::uint8_t* to, __m128i lanes, bool whole) const {
    const __m128i v = _mm_shuffle_epi8(lanes, narrow);
    if (whole) return _mm_storeu_si128(reinterpret_cast<__m128i*>(to), v);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(to), v);
    const std::uint32_t last = std::uint32_t(_mm_cvtsi128_si32(_mm_srli_si128(v, 8)));
    std::memcpy(to + 8, &last, 4);
  }

  __attribute__((target("ssse3"))) void Copy(const std::uint8_t* from, std::ptrdiff_t step, std::uint8_t* const (&to)[4],
                                             bool whole) const {
    const __m128i a = Load(from), b = Load(from + step), c = Load(from + 2 * step), d = Load(from + 3 * step);
    const __m128i ab0 = _mm_unpacklo_epi32(a, b), ab1 = _mm_unpackhi_epi32(a, b);
    const __m128i cd0 = _mm_unpacklo_epi32(c, d), cd1 = _mm_unpackhi_epi32(c, d);
    Store(to[0], _mm_unpacklo_epi64(ab0, cd0), whole);
    Store(to[1], _mm_unpackhi_epi64(ab0, cd0), whole);
    Store(to[2], _mm_unpacklo_epi64(ab1, cd1), whole);
    Store(to[3], _mm_unpackhi_epi64(ab1, cd1), whole);
  }
};

// A strip reads a few bytes from every source row, and source rows lie
// further apart than a page, where the processor's own prefetching stops.
// Every other strip asks for the line just ahead in each source row, which
// the next strips read; further ahead, or more often, measured slower.
constexpr int kPrefetchEvery = 16;     // destination rows: 48 bytes of a source row
constexpr std::ptrdiff_t kAhead = 64;  // bytes

void PrefetchAhead(const std::uint8_t* from, std::ptrdiff_t step, std::ptrdiff_t ahead) {
  for (int k = 0; k < 4; ++k) __builtin_prefetch(from + k * step + ahead);
}

// Destination rows y..y + 4 * kBlocks: whole blocks first, each visit to
// four source rows taking kBlocks blocks down them, then the last columns
// one by one. Two blocks a visit (24 bytes of each source row) measured
// fastest; one leaves lines to be fetched again, four write to too many
// rows at once. Everything the loop needs is in locals: its byte stores
// could alias the picture's and the source's fields, which the compiler
// would otherwise load again after every block.
template <int kBlocks>
__attribute__((target("ssse3"))) void CopyStrip(const Source& s, const Block4& block, Bitmap& out, int y) {
  const int width = out.Width();
  const std::ptrdiff_t step = s.step, down = 12 * std::ptrdiff_t(s.direction), ahead = kAhead * s.direction;
  const bool prefetch = y % kPrefetchEvery == 0;
  std::uint8_t* rows[4 * kBlocks];
  for (int k = 0; k < 4 * kBlocks; ++k) rows[k] = out.Row(y + k);
  const std::uint8_t* from = s.At(0, s.direction > 0 ? y : y + 3);
  const auto visit = [&](int x, bool whole) __attribute__((always_inline)) {
    if (prefetch) PrefetchAhead(from, step, ahead);
    const std::ptrdiff_t at = 3 * std::ptrdiff_t(x);
#pragma GCC unroll 4
    for (int b = 0; b < kBlocks; ++b) {
      std::uint8_t* const to[4] = {rows[4 * b] + at, rows[4 * b + 1] + at, rows[4 * b + 2] + at, rows[4 * b + 3] + at};
      block.Copy(from + b * down, step, to, whole);
    }
    from += 4 * step;
  };
  int x = 0;
  for (; x + 6 <= width; x += 4) visit(x, true);
  for (; x + 4 <= width; x += 4) visit(x, false);
  if (x < width)
    for (int row = y; row < y + 4 * kBlocks; ++row) CopyRun(s, out, row, x, width);
}

__attribute__((target("ssse3"))) void TransposeBlocks(const Source& s, Bitmap& out) {
  const Block4 block(s.direction);
  int y = 0;
  for (; y + 8 <= out.Height(); y += 8) CopyStrip<2>(s, block, out, y);
  if (y + 4 <= out.Height()) CopyStrip<1>(s, block, out, y), y += 4;
  for (; y < out.Height(); ++y) CopyRun(s, out, y, 0, out.Width());
}
#endif

void TransposeTiles(const Source& s, Bitmap& out) {
  for (int y0 = 0; y0 < out.Height(); y0 += kTile) {
    const int y1 = std::min(out.Height(), y0 + kTile);
    for (int x0 = 0; x0 < out.Width(); x0 += kTile) {
      PrefetchNext(s, out, x0, y0, y1);
      CopyTile(s, out, x0, std::min(out.Width(), x0 + kTile), y0, y1);
    }
  }
}

}  // namespace

void TransposeInto(Bitmap& out, const std::uint8_t* origin, int direction, std::ptrdiff_t step) {
  const Source s{origin, direction, step};
#if VEMRA_SSSE3
  static const bool ssse3 = __builtin_cpu_supports("ssse3");
  if (ssse3) return TransposeBlocks(s, out);
#endif
  TransposeTiles(s, out);
}

}  // namespace vemra
