#pragma once
// Fixed-point weights for one resampling and how far they may drift from
// the float rule.
#include "imaging/ResampleRows.h"

namespace vemra {

struct ResamplePlan {
  FixedWindows columns, rows;
  double drift = 0;  // worst case, in levels, added to the rule's own rounding
};

ResamplePlan PlanResample(int width, int height, int sourceWidth, int sourceHeight, int filter);

}  // namespace vemra
