// A half turn swaps rows in place, 16 pixels at a time with SSSE3's byte
// shuffle where the processor has it; quarter turns are transpositions into
// a new picture (TransposeInto).
#include "imaging/Rotate.h"

#include <cstring>
#include <utility>
#include <vector>

#include "imaging/Transpose.h"

#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
#include <tmmintrin.h>
#define VEMRA_SSSE3 1
#endif

namespace vemra {
namespace {

// Clockwise: new (x, y) is old (y, oldHeight - 1 - x).
Bitmap Rotated90(const Bitmap& b) {
  Bitmap out = Bitmap::Uninitialised(b.Height(), b.Width());
  TransposeInto(out, b.Row(b.Height() - 1), 1, -b.Stride());
  return out;
}

// Counter-clockwise: new (x, y) is old (oldWidth - 1 - y, x).
Bitmap Rotated270(const Bitmap& b) {
  Bitmap out = Bitmap::Uninitialised(b.Height(), b.Width());
  TransposeInto(out, b.Row(0) + 3 * (b.Width() - 1), -1, b.Stride());
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

#if VEMRA_SSSE3
// Byte shuffle taking, from 16-byte part `from` of 16 pixels, the bytes of
// part `to` of the same pixels in reverse order; -128 marks bytes that
// come from another part.
struct ReverseMask {
  alignas(16) std::int8_t bytes[16];
  constexpr ReverseMask(int to, int from) : bytes{} {
    for (int k = 0; k < 16; ++k) {
      const int out = 16 * to + k, in = 3 * (15 - out / 3) + out % 3;
      bytes[k] = in / 16 == from ? std::int8_t(in % 16) : std::int8_t(-128);
    }
  }
  __attribute__((target("ssse3"))) __m128i Take(__m128i part) const {
    return _mm_shuffle_epi8(part, _mm_load_si128(reinterpret_cast<const __m128i*>(bytes)));
  }
};

// 16 pixels from `in` to `to` in reverse order.
__attribute__((target("ssse3"))) void Reverse16(const __m128i (&in)[3], std::uint8_t* to) {
  static constexpr ReverseMask m[3][3] = {{{0, 0}, {0, 1}, {0, 2}}, {{1, 0}, {1, 1}, {1, 2}}, {{2, 0}, {2, 1}, {2, 2}}};
  for (int v = 0; v < 3; ++v)
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 16 * v),
                     _mm_or_si128(_mm_or_si128(m[v][0].Take(in[0]), m[v][1].Take(in[1])), m[v][2].Take(in[2])));
}

// The whole blocks of 16 pixels of SwapReversed; returns how many pixels
// it did.
__attribute__((target("ssse3"))) int SwapReversed16(std::uint8_t* left, std::uint8_t* right, int w) {
  int i = 0;
  for (; i + 16 <= w; i += 16) {
    std::uint8_t* l = left + 3 * i;
    std::uint8_t* r = right + 3 * (w - 16 - i);
    __m128i a[3], b[3];
    for (int v = 0; v < 3; ++v) {
      a[v] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(l + 16 * v));
      b[v] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r + 16 * v));
    }
    Reverse16(b, l);
    Reverse16(a, r);
  }
  return i;
}
#endif

// Exchanges the pixels of two rows, each reversed: left[i] <-> right[w-1-i].
void SwapReversed(std::uint8_t* left, std::uint8_t* right, int w) {
  int i = 0;
#if VEMRA_SSSE3
  static const bool ssse3 = __builtin_cpu_supports("ssse3");
  if (ssse3) i = SwapReversed16(left, right, w);
#endif
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
