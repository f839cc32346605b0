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
// Fixed-point; every channel is within 1 of ResampleBitmapExact.
void ResampleBitmap(const Bitmap& source, Bitmap& destination, int filter);

// The defining rule: unnormalised single-precision sums, each pass clamped
// and rounded (halves to even) to bytes. Slow; it is the reference the fast
// path is held to, and it serves the extreme reductions whose windows are
// too wide for 16-bit weights.
void ResampleBitmapExact(const Bitmap& source, Bitmap& destination, int filter);

}  // namespace vemra
