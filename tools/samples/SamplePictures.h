#pragma once
// Pictures drawn for the samples, so that no outside artwork is needed.
#include <cstdint>
#include <vector>

namespace vemra::samples {

// 12 yellow stars (dots) in a ring on blue, as a 24-bit BMP file.
std::vector<std::uint8_t> EuSymbolBmp();
// A shield with a crown for the demo municipality, as a JPEG file.
std::vector<std::uint8_t> MunicipalityLogoJpeg();

}  // namespace vemra::samples
