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

// Nearest, halves to even (the processor's default rounding).
inline int RoundNearest(double value) {
#if defined(__SSE2__)
  return _mm_cvtsd_si32(_mm_set_sd(value));
#else
  return int(std::lrint(value));
#endif
}

}  // namespace

int NormaliseAngle(int degrees) {
  degrees %= 360;
  if (degrees > 180) degrees -= 360;
  if (degrees < -180) degrees += 360;
  return degrees;
}

Bitmap RotateFree(const Bitmap& source, int degrees) {
  if (source.Empty()) return Bitmap();
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
  std::vector<double> uCos(side), uSin(side);
  for (int x = 0; x < side; ++x) {
    const double u = 2.0 * (x - cx) + 1.0;
    uCos[x] = u * cosT;
    uSin[x] = u * sinT;
  }

  Bitmap out(side, side);
  // Canvas offset of the source, folded into the centre.
  const int originX = cx - dx;
  const int originY = cy - dy;
  for (int y = 0; y < side; ++y) {
    const double v = 2.0 * (y - cy) + 1.0;
    const double vSin = v * sinT;
    const double vCos = v * cosT;
    std::uint8_t* d = out.Row(y);
    for (int x = 0; x < side; ++x, d += 3) {
      const int p = (RoundNearest(uCos[x] - vSin) - 1) / 2;
      const int q = (RoundNearest(uSin[x] + vCos) - 1) / 2;
      const unsigned sx = unsigned(p + originX);
      const unsigned sy = unsigned(q + originY);
      if (sx < unsigned(w) && sy < unsigned(h)) {
        const std::uint8_t* s = src.Row(int(sy)) + 3 * std::ptrdiff_t(sx);
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
      } else {
        d[0] = d[1] = d[2] = 255;
      }
    }
  }
  return out;
}

}  // namespace vemra
