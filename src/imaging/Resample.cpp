// Fixed-point resampling with SIMD row loops (ResamplePlan, ResampleRows).
// The rare plan whose weights could drift too far from the float rule (a
// reduction to a sliver) is left to the float rule.
#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "imaging/Resample.h"
#include "imaging/ResamplePlan.h"
#include "imaging/ResampleWeights.h"

namespace vemra {
namespace {

// Worst-case drift, in levels, that fixed point may add to the float
// rule; the rule's own rounding of its first pass uses most of the
// remaining level.
constexpr double kDriftBudget = 0.2;

// The horizontal pass of a source row. Windows inside the row read it
// where it lies; the few at either end read a copy with mirrored margins.
class RowFilter {
 public:
  RowFilter(const FixedWindows& columns, int width) : columns_(columns), width_(width) {
    const int count = int(columns.left.size());
    while (inner_ < count && columns.left[std::size_t(inner_)] < 0) ++inner_;
    outer_ = inner_;
    while (outer_ < count && columns.left[std::size_t(outer_)] + columns.taps <= width) ++outer_;
    const int first = columns.left.front(), last = columns.left.back() + columns.taps + 2;
    before_ = std::max(0, -first);
    after_ = std::max(0, last - width);
    headEnd_ = inner_ > 0 ? std::min(width, columns.left[std::size_t(inner_ - 1)] + columns.taps + 2) : 0;
    tailBegin_ = outer_ < count ? std::max(0, columns.left[std::size_t(outer_)]) : width;
    bytes_.resize(3 * std::size_t(before_ + width + after_));
  }

  // Left to right: each pixel's spare value lands on the next one's first.
  void Filter(const std::uint8_t* row, std::int16_t* out) {
    const bool ends = inner_ > 0 || outer_ < int(columns_.left.size());
    const std::uint8_t* padded = ends ? Pad(row) : nullptr;
    if (inner_ > 0) FilterRowAcross(padded, columns_, 0, inner_, out);
    FilterRowAcross(row, columns_, inner_, outer_, out);
    if (ends) FilterRowAcross(padded, columns_, outer_, int(columns_.left.size()), out);
  }

 private:
  // Pointer to pixel 0 of a copy holding the pixels the end windows read.
  const std::uint8_t* Pad(const std::uint8_t* row) {
    std::uint8_t* zero = bytes_.data() + 3 * before_;
    std::memcpy(zero, row, 3 * std::size_t(headEnd_));
    std::memcpy(zero + 3 * tailBegin_, row + 3 * tailBegin_, 3 * std::size_t(width_ - tailBegin_));
    for (int j = -before_; j < 0; ++j) std::memcpy(zero + 3 * j, row + 3 * ReflectIndex(j, width_), 3);
    for (int j = width_; j < width_ + after_; ++j) std::memcpy(zero + 3 * j, row + 3 * ReflectIndex(j, width_), 3);
    return zero;
  }

  const FixedWindows& columns_;
  int width_, inner_ = 0, outer_ = 0, before_ = 0, after_ = 0, headEnd_ = 0, tailBegin_ = 0;
  std::vector<std::uint8_t> bytes_;
};

// Horizontal results of the few source rows the vertical windows need
// next, each filtered when first asked for: the windows move down
// monotonically and span fewer rows than there are slots, so the rows of
// one window never share a slot, and the work stays in the cache.
class FilteredRows {
 public:
  FilteredRows(const Bitmap& source, const FixedWindows& columns, int slots)
      : source_(source), filter_(columns, source.Width()), slots_(slots),
        stride_((3 * std::ptrdiff_t(columns.left.size()) + 1 + 7) / 8 * 8),
        rowOf_(std::size_t(slots), -1), values_(std::size_t(stride_) * std::size_t(slots)) {}

  const std::int16_t* Row(int y) {
    const int slot = y % slots_;
    std::int16_t* values = values_.data() + stride_ * slot;
    if (rowOf_[std::size_t(slot)] != y) {
      filter_.Filter(source_.Row(y), values);
      rowOf_[std::size_t(slot)] = y;
    }
    return values;
  }

 private:
  const Bitmap& source_;
  RowFilter filter_;
  int slots_;
  std::ptrdiff_t stride_;
  std::vector<int> rowOf_;
  std::vector<std::int16_t> values_;
};

void FilterDown(FilteredRows& across, const FixedWindows& rows, int sourceHeight, Bitmap& destination) {
  std::vector<const std::int16_t*> taps;
  std::vector<std::int16_t> weights;
  for (int y = 0; y < destination.Height(); ++y) {
    taps.clear(), weights.clear();
    const std::int16_t* w = rows.weights.data() + std::ptrdiff_t(y) * rows.taps;
    for (int k = 0; k < rows.taps; ++k) {
      if (w[k] == 0) continue;
      taps.push_back(across.Row(ReflectIndex(rows.left[std::size_t(y)] + k, sourceHeight)));
      weights.push_back(w[k]);
    }
    if (taps.size() % 2 != 0) taps.push_back(taps.front()), weights.push_back(0);
    FilterRowsDown(taps.data(), weights.data(), int(taps.size()), rows.bits + rows.midBits,
                   3 * destination.Width(), destination.Row(y));
  }
}

}  // namespace

void ResampleBitmap(const Bitmap& source, Bitmap& destination, int filter) {
  if (source.Width() <= 0 || source.Height() <= 0)
    throw std::runtime_error("Source bitmap too small");
  destination.SetPixelFormat(PixelFormat::pf24bit);
  if (destination.Empty()) return;
  Bitmap storage;
  const Bitmap& src = As24Bit(source, storage);
  const ResamplePlan plan = PlanResample(destination.Width(), destination.Height(), src.Width(), src.Height(), filter);
  if (plan.drift > kDriftBudget)
    return ResampleBitmapExact(src, destination, filter);
  FilteredRows across(src, plan.columns, plan.rows.taps + 1);
  FilterDown(across, plan.rows, src.Height(), destination);
}

}  // namespace vemra
