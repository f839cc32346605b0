#pragma once
// Windows metafiles kept as their bytes: the header tells the kind and the
// natural size; the platform draws them.
#include <cstddef>
#include <cstdint>

#include "imaging/Picture.h"

namespace vemra {

// An enhanced metafile, or a placeable Windows metafile (the kind that
// carries its size). False for anything else.
bool ReadMetafileHeader(const std::uint8_t* data, std::size_t size, Metafile& out);

}  // namespace vemra
