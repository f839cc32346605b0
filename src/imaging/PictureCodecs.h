#pragma once
// Decoders and encoders over bytes in memory. Damaged or hostile input
// gives false, never a crash or an unbounded allocation.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/Bitmap.h"

namespace vemra {

// Any JPEG libjpeg reads, as a 24-bit bitmap.
bool DecodeJpeg(const std::uint8_t* data, std::size_t size, Bitmap& out);
// Baseline JFIF at quality 1-100 from any bitmap (converted to 24 bits).
bool EncodeJpeg(const Bitmap& picture, int quality, std::vector<std::uint8_t>& out);
// A Windows bitmap file's bytes (1, 4, 8, 16, 24, 32 bits; either row order),
// keeping its pixel format.
bool ReadBmp(const std::uint8_t* data, std::size_t size, Bitmap& out);
bool WriteBmp(const Bitmap& picture, std::vector<std::uint8_t>& out);
// A Windows icon file's largest picture as 24 bits, the pixels its mask
// leaves out white. Icons holding only PNG pictures give false.
bool ReadIco(const std::uint8_t* data, std::size_t size, Bitmap& out);

}  // namespace vemra
