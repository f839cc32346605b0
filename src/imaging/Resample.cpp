// Contributor lists are built once per destination column and row; weights
// stay unnormalised and everything is single precision, so results match
// the long-standing output of this resampler bit for bit.
#include "imaging/Resample.h"

#include <cmath>
#include <stdexcept>

#include "imaging/PixelRows.h"

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

struct Contributor {
  int pixel;
  float weight;
};
using Contributors = std::vector<std::vector<Contributor>>;

// Mirrors an index into 0..n-1. One reflection suffices unless the source
// is narrower than the filter window; repeating keeps tiny sources in range.
int Reflect(int j, int n) {
  while (j < 0 || j >= n) j = j < 0 ? -j : 2 * n - 1 - j;
  return j;
}

float ScaleOf(int destination, int source) {
  return source == 1 ? float(destination) / float(source)
                     : float(destination - 1) / float(source - 1);
}

Contributors BuildContributors(int destination, int source, const Filter& filter) {
  Contributors lists(static_cast<std::size_t>(destination));
  if (destination == 1 && source > 1) {
    // The scale rule gives 0 here and every centre 0/0: one pixel is the
    // mean of the line instead.
    for (int j = 0; j < source; ++j) lists[0].push_back({j, 1.0f / float(source)});
    return lists;
  }
  const float scale = ScaleOf(destination, source);
  const bool reducing = scale < 1.0f;
  const float width = reducing ? filter.support / scale : filter.support;
  for (int i = 0; i < destination; ++i) {
    const float centre = float(i) / scale;
    const int left = int(std::floor(centre - width));
    const int right = int(std::ceil(centre + width));
    for (int j = left; j <= right; ++j) {
      const float weight = reducing ? filter.kernel((centre - float(j)) * scale) * scale
                                    : filter.kernel(centre - float(j));
      if (weight != 0.0f) lists[std::size_t(i)].push_back({Reflect(j, source), weight});
    }
  }
  return lists;
}

std::uint8_t ToByte(float value) {
  if (value > 255.0f) return 255;
  if (value < 0.0f) return 0;
  return std::uint8_t(std::lrintf(value));  // halves to even
}

void Accumulate(const std::vector<Contributor>& list, const std::uint8_t* base, std::ptrdiff_t step,
                std::uint8_t* out) {
  float b = 0.0f, g = 0.0f, r = 0.0f;
  for (const Contributor& c : list) {
    const std::uint8_t* p = base + step * c.pixel;
    b += float(p[0]) * c.weight;
    g += float(p[1]) * c.weight;
    r += float(p[2]) * c.weight;
  }
  out[0] = ToByte(b), out[1] = ToByte(g), out[2] = ToByte(r);
}

}  // namespace

void ResampleBitmap(const Bitmap& source, Bitmap& destination, int filterIndex) {
  if (source.Width() <= 0 || source.Height() <= 0)
    throw std::runtime_error("Source bitmap too small");
  destination.SetPixelFormat(PixelFormat::pf24bit);
  if (destination.Empty()) return;
  const Bitmap src = As24Bit(source);
  const Filter filter = FilterOf(filterIndex);
  const Contributors columns = BuildContributors(destination.Width(), src.Width(), filter);
  const Contributors rows = BuildContributors(destination.Height(), src.Height(), filter);

  Bitmap work(destination.Width(), src.Height());
  for (int y = 0; y < src.Height(); ++y) {
    std::uint8_t* out = work.Row(y);
    for (int x = 0; x < work.Width(); ++x) Accumulate(columns[std::size_t(x)], src.Row(y), 3, out + 3 * x);
  }
  for (int y = 0; y < destination.Height(); ++y) {
    std::uint8_t* out = destination.Row(y);
    for (int x = 0; x < destination.Width(); ++x)
      Accumulate(rows[std::size_t(y)], work.Row(0) + 3 * x, work.Stride(), out + 3 * x);
  }
}

}  // namespace vemra
