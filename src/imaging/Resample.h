#pragma once
// Filtered rescaling in two separable passes.
#include "imaging/Bitmap.h"

namespace vemra {

enum ResampleFilter {
  kFilterBox = 0,
  kFilterTriangle = 1,
  kFilterHermite = 2,
  kFilterBell = 3,
  kFilterBSpline = 4,
  kFilterLanczos3 = 5,
  kFilterMitchell = 6,
};

// `destination` keeps its size and becomes `source` rescaled to it, in 24
// bits. Index -1 (and any unknown index) means Lanczos3. Throws
// std::runtime_error("Source bitmap too small") for an empty source.
void ResampleBitmap(const Bitmap& source, Bitmap& destination, int filter);

}  // namespace vemra
