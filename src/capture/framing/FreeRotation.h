#pragma once
// Rotation by any whole number of degrees, nearest neighbour, about the
// picture's centre, onto a white square as large as the longer side, so
// that the whole picture survives every angle (quarter turns too).
#include "imaging/Bitmap.h"

namespace vemra {

// Into -180..180 by steps of 360 (181 is -179; 180 and -180 stay).
int NormaliseAngle(int degrees);

// Positive is clockwise. 24-bit result of max(width, height) squared;
// other formats are read as 24 bits. An empty source gives an empty result.
Bitmap RotateFree(const Bitmap& source, int degrees);
// The same into `target`, whose pixel memory is reused when it already has
// the result's size (turn after turn of a big photo). `target` must not be
// `source`.
void RotateFree(const Bitmap& source, int degrees, Bitmap& target);

}  // namespace vemra
