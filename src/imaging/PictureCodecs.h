#pragma once
// Decoders and encoders over bytes in memory. Damaged or hostile input
// gives false, never a crash or an unbounded allocation.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/Bitmap.h"

namespace vemra {

// The box, in device pixels, that a picture is about to be drawn into:
// a decoder may deliver fewer pixels than the file holds as long as the
// drawn picture is not enlarged. Zero width or height: the full picture.
struct DrawSize {
  int width = 0, height = 0;
  bool keepAspect = true;  // fitted into the box, else stretched over it
};

// The smallest libjpeg scale, in eighths (1-8), at which a picture of
// width x height still covers `box`; 8 when no box is given.
int JpegScaleEighths(int width, int height, const DrawSize& box);

// Any JPEG libjpeg reads, as a 24-bit bitmap, decoded at the smallest
// scale that covers `box`.
bool DecodeJpeg(const std::uint8_t* data, std::size_t size, Bitmap& out, const DrawSize& box = {});
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
