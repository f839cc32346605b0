#pragma once
// The filters and the weight windows both resampling paths share.
#include <vector>

namespace vemra {

// Weights for one destination column (or row): source positions left,
// left + 1, ... in order, zeros kept. Positions may fall outside the source
// and are mirrored back into it when read (ReflectIndex).
struct WeightWindow {
  int left = 0;
  std::vector<float> weights;
};

// One window per destination pixel along an axis, in single precision.
std::vector<WeightWindow> BuildWeightWindows(int destination, int source, int filter);

// Mirrors an index into 0..n-1. One reflection suffices unless the source
// is narrower than the filter window; repeating keeps tiny sources in range.
int ReflectIndex(int j, int n);

}  // namespace vemra
