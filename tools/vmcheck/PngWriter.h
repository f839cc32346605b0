#pragma once
// PNG files of 24-bit pictures, written without compression: the proof
// picture needs no codec library, and any viewer reads stored blocks.
#include <cstdint>
#include <string>
#include <vector>

#include "imaging/Bitmap.h"

namespace vemra {

std::vector<std::uint8_t> EncodePng(const Bitmap& picture);
// False when the file cannot be written.
bool WritePngFile(const std::string& path, const Bitmap& picture);

}  // namespace vemra
