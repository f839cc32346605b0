#pragma once
#include <cstddef>
#include <cstdint>

#include "imaging/Bitmap.h"

namespace vemra {

// Fills every pixel of the 24-bit `out` from a 24-bit source: pixel (x, y)
// comes from origin + 3 * direction * y + step * x, direction being +1 or
// -1 and step a row stride of the source, either sign. A quarter turn is
// this with the right origin. The source must stay readable for 4 bytes
// past its last pixel (Bitmap buffers are).
void TransposeInto(Bitmap& out, const std::uint8_t* origin, int direction, std::ptrdiff_t step);

}  // namespace vemra
