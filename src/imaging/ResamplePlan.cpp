// The float windows are quantised once per axis to 16-bit weights at the
// finest scale the 32-bit sums allow, and the bits kept between the passes
// are chosen with the vertical weights' so the bound on the drift from
// the float rule is smallest.
#include "imaging/ResamplePlan.h"

#include <algorithm>
#include <cmath>

#include "imaging/ResampleWeights.h"

namespace vemra {
namespace {

struct Extent {
  double largest = 0;  // largest weight magnitude
  double widest = 0;   // largest sum of magnitudes in one window
  std::size_t taps = 0;
};

Extent ExtentOf(const std::vector<WeightWindow>& windows) {
  Extent e;
  for (const WeightWindow& window : windows) {
    double total = 0;
    for (float w : window.weights) e.largest = std::max(e.largest, double(std::fabs(w))), total += std::fabs(w);
    e.widest = std::max(e.widest, total);
    e.taps = std::max(e.taps, window.weights.size());
  }
  return e;
}

// The most fractional bits for which every weight fits 16 bits and no sum
// of `largestInput` times the weights (plus rounding) can leave 31 bits.
int BitsFor(const Extent& e, double largestInput) {
  int bits = 22;
  while (bits > 1 && (e.largest * std::ldexp(1.0, bits) > 32767 ||
                      e.widest * largestInput * std::ldexp(1.0, bits + 1) > 0x7FFFFFFF))
    --bits;
  return bits;
}

// Rounds each weight, then moves the rounding surplus onto the largest
// one so a window sums as the float one does: flat colours stay flat.
// Returns the worst drift in levels the rounding can cause.
double Quantise(const WeightWindow& window, int bits, int taps, std::int16_t* out) {
  const double unit = std::ldexp(1.0, bits);
  double sum = 0;
  long total = 0;
  std::size_t largest = 0;
  for (std::size_t k = 0; k < window.weights.size(); ++k) {
    sum += window.weights[k];
    out[k] = std::int16_t(std::lround(window.weights[k] * unit));
    total += out[k];
    if (std::fabs(window.weights[k]) > std::fabs(window.weights[largest])) largest = k;
  }
  std::fill(out + window.weights.size(), out + taps, std::int16_t(0));
  const long surplus = std::lround(sum * unit) - total;
  if (!window.weights.empty() && std::abs(out[largest] + surplus) <= 32767)
    out[largest] = std::int16_t(out[largest] + surplus);
  double drift = 0;
  for (std::size_t k = 0; k < window.weights.size(); ++k) drift += std::fabs(out[k] / unit - window.weights[k]);
  return drift * 255;
}

struct Axis {
  FixedWindows windows;
  double drift = 0;  // worst case over the windows, in levels
};

Axis QuantiseAxis(const std::vector<WeightWindow>& windows, int bits, int midBits, std::size_t taps) {
  Axis axis;
  axis.windows.taps = int((taps + 3) / 4 * 4);
  axis.windows.bits = bits;
  axis.windows.midBits = midBits;
  axis.windows.weights.resize(windows.size() * std::size_t(axis.windows.taps));
  std::int16_t* out = axis.windows.weights.data();
  for (const WeightWindow& window : windows) {
    axis.windows.left.push_back(window.left);
    axis.drift = std::max(axis.drift, Quantise(window, bits, axis.windows.taps, out));
    out += axis.windows.taps;
  }
  return axis;
}

// The vertical sums multiply intermediate values by weights in 31 bits,
// so the fractional bits of the two share one budget: wide windows (strong
// reductions) want finer weights, narrow ones finer intermediates.
int MidBitsFor(const Extent& rows) {
  int best = 7;
  double bestDrift = 1e9;
  for (int mid = 1; mid <= 7; ++mid) {
    const int bits = BitsFor(rows, std::ldexp(255.0, mid));
    const double drift = rows.widest * std::ldexp(0.5, -mid) + double(rows.taps) * 255 * std::ldexp(0.5, -bits);
    if (drift <= bestDrift) best = mid, bestDrift = drift;
  }
  return best;
}

}  // namespace

ResamplePlan PlanResample(int width, int height, int sourceWidth, int sourceHeight, int filter) {
  const auto columns = BuildWeightWindows(width, sourceWidth, filter);
  const auto rows = BuildWeightWindows(height, sourceHeight, filter);
  const Extent acrossExtent = ExtentOf(columns), downExtent = ExtentOf(rows);
  const int mid = MidBitsFor(downExtent);
  const Axis across = QuantiseAxis(columns, std::max(BitsFor(acrossExtent, 255), mid + 1), mid, acrossExtent.taps);
  const Axis down = QuantiseAxis(rows, BitsFor(downExtent, std::ldexp(255.0, mid)), mid, downExtent.taps);
  return {across.windows, down.windows,
          across.drift * downExtent.widest + downExtent.widest * std::ldexp(0.5, -mid) + down.drift};
}

}  // namespace vemra
