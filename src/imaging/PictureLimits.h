#pragma once
// Bounds every decoder applies before allocating, so that a lying header
// cannot make the library ask for gigabytes.
#include <cstdint>

namespace vemra {

// Well beyond any scanner sheet or camera photo the library handles.
constexpr std::int64_t kMaxPicturePixels = 100'000'000;
constexpr int kMaxPictureSide = 65'535;

constexpr bool PictureSizeAcceptable(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

}  // namespace vemra
