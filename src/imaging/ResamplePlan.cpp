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
double Quantise(const WeightWindow& window, int bits, std::int16_t* out) {
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

// A window's weights without the zeros at either end: the kernels reach
// zero at their edges, and every 4 taps dropped is a step of the row loop
// saved, with the sums unchanged.
struct Trimmed {
  int left = 0;
  std::vector<std::int16_t> weights;
};

Trimmed Trim(int left, const std::vector<std::int16_t>& weights) {
  auto first = weights.begin(), last = weights.end();
  while (first != last && *first == 0) ++first;
  while (last != first && *(last - 1) == 0) --last;
  return {left + int(first - weights.begin()), {first, last}};
}

// The row loops need windows that never start left of the one before:
// where trimming made one do so, the one before starts earlier, on zeros.
void KeepInOrder(std::vector<Trimmed>& windows) {
  for (std::size_t i = windows.size(); i-- > 1;) {
    Trimmed& before = windows[i - 1];
    const int behind = before.left - windows[i].left;
    if (behind <= 0) continue;
    before.weights.insert(before.weights.begin(), std::size_t(behind), std::int16_t(0));
    before.left -= behind;
  }
}

int RoundUpTo4(std::size_t n) { return int((n + 3) / 4 * 4); }

Axis QuantiseAxis(const std::vector<WeightWindow>& windows, int bits, int midBits) {
  Axis axis;
  std::vector<Trimmed> trimmed;
  std::vector<std::int16_t> fixed;
  for (const WeightWindow& window : windows) {
    fixed.resize(window.weights.size());
    axis.drift = std::max(axis.drift, Quantise(window, bits, fixed.data()));
    trimmed.push_back(Trim(window.left, fixed));
  }
  KeepInOrder(trimmed);
  std::size_t widest = 1;
  for (const Trimmed& window : trimmed) widest = std::max(widest, window.weights.size());
  FixedWindows& fixedWindows = axis.windows;
  fixedWindows.taps = RoundUpTo4(widest);
  fixedWindows.bits = bits;
  fixedWindows.midBits = midBits;
  fixedWindows.weights.assign(windows.size() * std::size_t(fixedWindows.taps), 0);
  std::int16_t* out = fixedWindows.weights.data();
  for (const Trimmed& window : trimmed) {
    fixedWindows.left.push_back(window.left);
    fixedWindows.counts.push_back(std::max(4, RoundUpTo4(window.weights.size())));
    std::copy(window.weights.begin(), window.weights.end(), out);
    out += fixedWindows.taps;
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
  const Axis across = QuantiseAxis(columns, std::max(BitsFor(acrossExtent, 255), mid + 1), mid);
  const Axis down = QuantiseAxis(rows, BitsFor(downExtent, std::ldexp(255.0, mid)), mid);
  return {across.windows, down.windows,
          across.drift * downExtent.widest + downExtent.widest * std::ldexp(0.5, -mid) + down.drift};
}

}  // namespace vemra
