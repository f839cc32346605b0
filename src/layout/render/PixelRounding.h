#pragma once
// Millimetres and pixels meet here: every computed position and size
// rounds to the nearest integer with halves to even.
#include <cmath>

namespace vemra {

// Values beyond what a device can address are held at +-1e9 so that a
// hostile layout number cannot overflow the conversion.
inline int RoundHalfEven(double value) {
  if (!(value == value)) return 0;
  if (value > 1e9) return 1000000000;
  if (value < -1e9) return -1000000000;
  double rounded = std::round(value);
  if (std::fabs(value - std::trunc(value)) == 0.5) rounded = 2.0 * std::round(value / 2.0);
  return static_cast<int>(rounded);
}

}  // namespace vemra
