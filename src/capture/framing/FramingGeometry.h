#pragma once
// Screen and picture geometry shared by the framing models. Screen values
// are pixels of the dialog; the frame's upper-left corner is (0, 0).
#include <cmath>

namespace vemra {

struct ScreenSize {
  int width = 0;
  int height = 0;
  bool operator==(const ScreenSize&) const = default;
};

struct ScreenPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

struct ScreenRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  bool operator==(const ScreenRect&) const = default;
};

// A rectangle of picture pixels, right and bottom exclusive.
struct PictureRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const PictureRect&) const = default;
};

// Computed positions and sizes round to the nearest integer, halves to even.
inline int RoundEven(double value) { return int(std::nearbyint(value)); }

}  // namespace vemra
