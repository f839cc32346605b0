// Kept simple on purpose: this is the rule the fixed-point path is checked
// against, and it reproduces the long-standing output bit for bit.
#include <cmath>
#include <stdexcept>

#include "imaging/PixelRows.h"
#include "imaging/Resample.h"
#include "imaging/ResampleWeights.h"

namespace vemra {
namespace {

std::uint8_t ToByte(float value) {
  if (value > 255.0f) return 255;
  if (value < 0.0f) return 0;
  return std::uint8_t(std::lrintf(value));  // halves to even
}

void Accumulate(const WeightWindow& window, int count, const std::uint8_t* base, std::ptrdiff_t step,
                std::uint8_t* out) {
  float b = 0.0f, g = 0.0f, r = 0.0f;
  for (std::size_t k = 0; k < window.weights.size(); ++k) {
    const float w = window.weights[k];
    if (w == 0.0f) continue;
    const std::uint8_t* p = base + step * ReflectIndex(window.left + int(k), count);
    b += float(p[0]) * w;
    g += float(p[1]) * w;
    r += float(p[2]) * w;
  }
  out[0] = ToByte(b), out[1] = ToByte(g), out[2] = ToByte(r);
}

}  // namespace

void ResampleBitmapExact(const Bitmap& source, Bitmap& destination, int filter) {
  if (source.Width() <= 0 || source.Height() <= 0)
    throw std::runtime_error("Source bitmap too small");
  destination.SetPixelFormat(PixelFormat::pf24bit);
  if (destination.Empty()) return;
  const Bitmap src = As24Bit(source);
  const auto columns = BuildWeightWindows(destination.Width(), src.Width(), filter);
  const auto rows = BuildWeightWindows(destination.Height(), src.Height(), filter);

  Bitmap work(destination.Width(), src.Height());
  for (int y = 0; y < src.Height(); ++y) {
    std::uint8_t* out = work.Row(y);
    for (int x = 0; x < work.Width(); ++x)
      Accumulate(columns[std::size_t(x)], src.Width(), src.Row(y), 3, out + 3 * x);
  }
  for (int y = 0; y < destination.Height(); ++y) {
    std::uint8_t* out = destination.Row(y);
    for (int x = 0; x < destination.Width(); ++x)
      Accumulate(rows[std::size_t(y)], src.Height(), work.Row(0) + 3 * x, work.Stride(), out + 3 * x);
  }
}

}  // namespace vemra
