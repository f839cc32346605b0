#include "imaging/ResampleWeights.h"

#include <cmath>

#include "imaging/Resample.h"

namespace vemra {
namespace {

constexpr float kPi = 3.14159265358979f;

float Box(float x) { return (x > -0.5f && x <= 0.5f) ? 1.0f : 0.0f; }
float Triangle(float x) { x = std::fabs(x); return x < 1.0f ? 1.0f - x : 0.0f; }
float Hermite(float x) {
  x = std::fabs(x);
  return x < 1.0f ? (2.0f * x - 3.0f) * x * x + 1.0f : 0.0f;
}
float Bell(float x) {
  x = std::fabs(x);
  if (x < 0.5f) return 0.75f - x * x;
  if (x < 1.5f) { x -= 1.5f; return 0.5f * x * x; }
  return 0.0f;
}
float BSpline(float x) {
  x = std::fabs(x);
  if (x < 1.0f) return 0.5f * x * x * x - x * x + 2.0f / 3.0f;
  if (x < 2.0f) { x = 2.0f - x; return x * x * x / 6.0f; }
  return 0.0f;
}
float Sinc(float x) {
  if (x == 0.0f) return 1.0f;
  x *= kPi;
  return std::sin(x) / x;
}
float Lanczos3(float x) { x = std::fabs(x); return x < 3.0f ? Sinc(x) * Sinc(x / 3.0f) : 0.0f; }
float Mitchell(float x) {
  constexpr float B = 1.0f / 3.0f, C = 1.0f / 3.0f;
  x = std::fabs(x);
  const float xx = x * x;
  if (x < 1.0f)
    return ((12 - 9 * B - 6 * C) * (x * xx) + (-18 + 12 * B + 6 * C) * xx + (6 - 2 * B)) / 6.0f;
  if (x < 2.0f)
    return ((-B - 6 * C) * (x * xx) + (6 * B + 30 * C) * xx + (-12 * B - 48 * C) * x +
            (8 * B + 24 * C)) / 6.0f;
  return 0.0f;
}

struct Filter {
  float (*kernel)(float);
  float support;
};

Filter FilterOf(int index) {
  switch (index) {
    case kFilterBox: return {Box, 0.5f};
    case kFilterTriangle: return {Triangle, 1.0f};
    case kFilterHermite: return {Hermite, 1.0f};
    case kFilterBell: return {Bell, 1.5f};
    case kFilterBSpline: return {BSpline, 2.0f};
    case kFilterMitchell: return {Mitchell, 2.0f};
    default: return {Lanczos3, 3.0f};
  }
}

float ScaleOf(int destination, int source) {
  return source == 1 ? float(destination) / float(source)
                     : float(destination - 1) / float(source - 1);
}

}  // namespace

int ReflectIndex(int j, int n) {
  while (j < 0 || j >= n) j = j < 0 ? -j : 2 * n - 1 - j;
  return j;
}

std::vector<WeightWindow> BuildWeightWindows(int destination, int source, int filterIndex) {
  std::vector<WeightWindow> windows(static_cast<std::size_t>(destination));
  if (destination == 1 && source > 1) {
    // The scale rule gives 0 here and every centre 0/0: one pixel is the
    // mean of the line instead.
    windows[0].weights.assign(std::size_t(source), 1.0f / float(source));
    return windows;
  }
  const Filter filter = FilterOf(filterIndex);
  const float scale = ScaleOf(destination, source);
  const bool reducing = scale < 1.0f;
  const float width = reducing ? filter.support / scale : filter.support;
  for (int i = 0; i < destination; ++i) {
    const float centre = float(i) / scale;
    WeightWindow& window = windows[std::size_t(i)];
    window.left = int(std::floor(centre - width));
    const int right = int(std::ceil(centre + width));
    for (int j = window.left; j <= right; ++j)
      window.weights.push_back(reducing ? filter.kernel((centre - float(j)) * scale) * scale
                                        : filter.kernel(centre - float(j)));
  }
  return windows;
}

}  // namespace vemra
