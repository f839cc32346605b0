#pragma once
#include <cstdint>

namespace vemra {

// Replaces each of `width` blue-green-red pixels by its luminance,
// (77 red + 150 green + 29 blue) / 256, in all three channels. The row's
// buffer must stay readable for 4 bytes past its last pixel.
void GreyRow(std::uint8_t* row, int width);

}  // namespace vemra
