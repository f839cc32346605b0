#pragma once
// Scanner pictures arrive as packed device-independent bitmaps: a bitmap
// header, its masks and colour table, then the pixels, with no file header.
#include <cstddef>
#include <cstdint>

#include "imaging/Bitmap.h"

namespace vemra {

// The packed bitmap in `dib` (the first `size` bytes of its memory block)
// as a 24-bit picture. False, with `out` untouched, when the header's
// sizes do not fit the block or the picture is not one we read.
bool DibToBitmap(const std::uint8_t* dib, std::size_t size, Bitmap& out);

}  // namespace vemra
