#include "capture/win32/ZoomCursor.h"

#include <cmath>

#include "base/win32/Win32Windows.h"

namespace vemra {

HCURSOR CreateZoomCursor() {
  constexpr int kSize = 32, kCentre = 12;
  BYTE andPlane[kSize * kSize / 8], xorPlane[kSize * kSize / 8];
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const double d = std::hypot(x - kCentre, y - kCentre);
      const bool ring = d >= 7 && d <= 9;
      const bool handle = x >= 18 && x <= 27 && (y == x || y == x + 1 || y == x - 1);
      const bool plus = (x == kCentre && y >= 9 && y <= 15) || (y == kCentre && x >= 9 && x <= 15);
      const bool lens = d < 7;
      // AND 0 / XOR 0 is black, AND 0 / XOR 1 white, AND 1 / XOR 0 clear.
      const bool opaque = ring || handle || lens;
      const bool white = lens && !plus;
      const int bit = 7 - x % 8, index = (y * kSize + x) / 8;
      if (bit == 7) andPlane[index] = xorPlane[index] = 0;
      andPlane[index] |= BYTE(opaque ? 0 : 1) << bit;
      xorPlane[index] |= BYTE(white ? 1 : 0) << bit;
    }
  return CreateCursor(ThisModule(), kCentre, kCentre, kSize, kSize, andPlane, xorPlane);
}

}  // namespace vemra
