#pragma once
#include "imaging/Bitmap.h"

namespace vemra {

// Rotates clockwise by 90, 180 or 270 degrees in place, in 24 bits; any
// other angle leaves the bitmap as it is.
void RotateBitmapQuarter(int angle, Bitmap& bitmap);

}  // namespace vemra
