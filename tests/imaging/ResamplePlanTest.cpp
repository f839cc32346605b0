// The fixed-point plan's windows: what the row loops rely on, and that
// the zeros at the kernels' edges cost no steps.
#include <gtest/gtest.h>

#include "imaging/Resample.h"
#include "imaging/ResamplePlan.h"

namespace vemra {
namespace {

// Every window starts at or right of the one before (the row filter and
// the cache of filtered rows walk them in order) and keeps its nonzero
// weights within the count the row loop reads.
void ExpectWindowsTheLoopsCanWalk(const FixedWindows& axis, int destination) {
  ASSERT_EQ(int(axis.left.size()), destination);
  ASSERT_EQ(axis.counts.size(), axis.left.size());
  for (int i = 0; i < destination; ++i) {
    const std::size_t at = std::size_t(i);
    if (i > 0) {
      EXPECT_LE(axis.left[at - 1], axis.left[at]) << "window " << i;
    }
    EXPECT_EQ(axis.counts[at] % 4, 0);
    EXPECT_LE(axis.counts[at], axis.taps);
    for (int k = axis.counts[at]; k < axis.taps; ++k) {
      EXPECT_EQ(axis.weights[at * std::size_t(axis.taps) + std::size_t(k)], 0) << "window " << i << " tap " << k;
    }
  }
}

TEST(PlanResample, WindowsStayInOrderWithTheirWeightsInReach) {
  const int sizes[][2] = {{1, 1}, {9, 1}, {1, 13}, {3, 17}, {16, 5}, {1000, 4000}, {750, 3000}, {121, 40}, {7, 250}};
  for (int filter = kFilterBox; filter <= kFilterMitchell; ++filter)
    for (auto [destination, source] : sizes) {
      SCOPED_TRACE(::testing::Message() << "filter " << filter << ", " << source << " -> " << destination);
      const ResamplePlan plan = PlanResample(destination, 1, source, 1, filter);
      ExpectWindowsTheLoopsCanWalk(plan.columns, destination);
    }
}

// A quarter-size reduction: the Box's four weights take one step of the
// row loop, the Triangle's eight two. Only windows at the edges, and the
// odd one moved to keep the order, take more.
TEST(PlanResample, WindowsReadOnlyTheirNonzeroWeights) {
  const struct {
    int filter, steps;
  } cases[] = {{kFilterBox, 1}, {kFilterTriangle, 2}, {kFilterHermite, 2}, {kFilterMitchell, 4}};
  for (const auto& c : cases) {
    const ResamplePlan plan = PlanResample(1000, 1, 4000, 1, c.filter);
    int longer = 0;
    for (int count : plan.columns.counts) longer += count > 4 * c.steps;
    EXPECT_LE(longer, 10) << "filter " << c.filter;
    EXPECT_EQ(plan.columns.counts[500], 4 * c.steps) << "filter " << c.filter;
  }
}

}  // namespace
}  // namespace vemra
