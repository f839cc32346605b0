#pragma once
// Millimetres and pixels meet here: every computed position and size
// rounds to the nearest integer with halves to even.
#include <cmath>

namespace vemra {

// Values beyond what GDI can address (2^27) are held at +-2^26, so that a
// hostile layout number can neither overflow the conversion nor the sums
// of a few positions and sizes that the renderer builds from it.
inline constexpr int kFarthestPixel = 1 << 26;

inline int RoundHalfEven(double value) {
  if (!(value == value)) return 0;
  if (value > kFarthestPixel) return kFarthestPixel;
  if (value < -kFarthestPixel) return -kFarthestPixel;
  double rounded = std::round(value);
  if (std::fabs(value - std::trunc(value)) == 0.5) rounded = 2.0 * std::round(value / 2.0);
  return static_cast<int>(rounded);
}

}  // namespace vemra
