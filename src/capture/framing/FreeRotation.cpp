// The inner loop works from per-column tables of u cos t and u sin t, so
// each destination pixel costs two subtractions, two roundings and a
// three-byte copy; the products are the same as the direct formula's, so
// the result does not depend on the tables.
#include "capture/framing/FreeRotation.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vemra {
namespace {

// Both coordinates of one pixel rounded to nearest, halves to even (the
// processor's default rounding), in one conversion where SSE2 is there.
// a - b and a + (-b) are the same in floating point, so the row's terms
// are added negated.
struct Rounded {
  int p, q;
};
#if defined(__SSE2__)
inline Rounded RoundPair(const double* columnTerms, __m128d rowTerms) {
  const __m128i r = _mm_cvtpd_epi32(_mm_add_pd(_mm_loadu_pd(columnTerms), rowTerms));
  return {_mm_cvtsi128_si32(r), _mm_cvtsi128_si32(_mm_shuffle_epi32(r, 1))};
}
#endif

}  // namespace

int NormaliseAngle(int degrees) {
  degrees %= 360;
  if (degrees > 180) degrees -= 360;
  if (degrees < -180) degrees += 360;
  return degrees;
}

Bitmap RotateFree(const Bitmap& source, int degrees) {
  Bitmap out;
  RotateFree(source, degrees, out);
  return out;
}

void RotateFree(const Bitmap& source, int degrees, Bitmap& out) {
  if (source.Empty()) {
    out = Bitmap();
    return;
  }
  Bitmap storage;
  const Bitmap& src = As24Bit(source, storage);
  const int w = src.Width();
  const int h = src.Height();
  const int side = std::max(w, h);
  // The source sits centred on a white side x side canvas.
  const int dx = (side - w) / 2;
  const int dy = (side - h) / 2;
  const int cx = w / 2 + dx;
  const int cy = h / 2 + dy;
  const double t = -degrees * std::numbers::pi / 180.0;
  const double cosT = std::cos(t);
  const double sinT = std::sin(t);

  // Doubled coordinates keep the centre between pixels exact.
  std::vector<double> columnTerms(2 * std::size_t(side));  // u cos t, u sin t
  for (int x = 0; x < side; ++x) {
    const double u = 2.0 * (x - cx) + 1.0;
    columnTerms[2 * x] = u * cosT;
    columnTerms[2 * x + 1] = u * sinT;
  }

  if (out.Format() != PixelFormat::pf24bit) out = Bitmap();
  out.SetSize(side, side);
  // Canvas offset of the source, folded into the centre.
  const int originX = cx - dx;
  const int originY = cy - dy;
  const std::ptrdiff_t stride = src.Stride();
  const std::uint8_t* const base = src.Row(0);
  // Tiles keep the source rows a turned block reads from in the cache.
  constexpr int kTile = 64;
  for (int ty = 0; ty < side; ty += kTile) {
    const int yEnd = std::min(side, ty + kTile);
    for (int tx = 0; tx < side; tx += kTile) {
      const int xEnd = std::min(side, tx + kTile);
      for (int y = ty; y < yEnd; ++y) {
        const double v = 2.0 * (y - cy) + 1.0;
        const double minusVSin = -(v * sinT);
        const double vCos = v * cosT;
#if defined(__SSE2__)
        const __m128d rowTerms = _mm_set_pd(vCos, minusVSin);
#endif
        std::uint8_t* d = out.Row(y) + 3 * std::ptrdiff_t(tx);
        for (int x = tx; x < xEnd; ++x, d += 3) {
#if defined(__SSE2__)
          const Rounded r = RoundPair(&columnTerms[2 * x], rowTerms);
#else
          const Rounded r = {int(std::lrint(columnTerms[2 * x] + minusVSin)),
                             int(std::lrint(columnTerms[2 * x + 1] + vCos))};
#endif
          const int p = (r.p - 1) / 2;
          const int q = (r.q - 1) / 2;
          const unsigned sx = unsigned(p + originX);
          const unsigned sy = unsigned(q + originY);
          if (sx < unsigned(w) && sy < unsigned(h)) {
            const std::uint8_t* s = base + std::ptrdiff_t(sy) * stride + 3 * std::ptrdiff_t(sx);
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
          } else {
            d[0] = d[1] = d[2] = 255;
          }
        }
      }
    }
  }
}

}  // namespace vemra
