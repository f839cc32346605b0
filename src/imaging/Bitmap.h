#pragma once
// A raster picture in memory. Rows run from the top; a 24-bit pixel is
// blue, green, red. The pixel format survives until set to 24 bits, so an
// 8-bit picture loaded from a file stays 8-bit with its palette.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "imaging/PictureBudget.h"

namespace vemra {

enum class PixelFormat { pf1bit, pf4bit, pf8bit, pf16bit, pf24bit, pf32bit };

int BitsPerPixel(PixelFormat format);

// Colour value as layouts and GDI use it: red in bits 0-7, green 8-15,
// blue 16-23.
using ColourValue = std::uint32_t;

constexpr ColourValue MakeColour(int red, int green, int blue) {
  return ColourValue(red & 0xFF) | ColourValue(green & 0xFF) << 8 |
         ColourValue(blue & 0xFF) << 16;
}
constexpr int RedOf(ColourValue c) { return int(c & 0xFF); }
constexpr int GreenOf(ColourValue c) { return int(c >> 8 & 0xFF); }
constexpr int BlueOf(ColourValue c) { return int(c >> 16 & 0xFF); }

class Bitmap {
 public:
  Bitmap() = default;
  // A 24-bit picture filled with black. Throws std::length_error on sizes
  // whose pixel buffer would not fit in memory, PictureRefused (one) when
  // the picture budget cannot hold it; so do copies.
  Bitmap(int width, int height, PixelFormat format = PixelFormat::pf24bit);
  // A 24-bit picture whose pixels are left unset, for code that writes
  // every one of them anyway.
  static Bitmap Uninitialised(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  PixelFormat Format() const { return format_; }
  std::ptrdiff_t Stride() const { return stride_; }

  std::uint8_t* Row(int y) { return pixels_.data() + std::ptrdiff_t(y) * stride_; }
  const std::uint8_t* Row(int y) const {
    return pixels_.data() + std::ptrdiff_t(y) * stride_;
  }

  // Palette of 1, 4 and 8-bit pictures, as colour values.
  std::vector<ColourValue>& Palette() { return palette_; }
  const std::vector<ColourValue>& Palette() const { return palette_; }

  // Converts the pixels in place; 24 to 24 does nothing.
  void SetPixelFormat(PixelFormat format);
  // Reallocates (contents black) unless the size is already this one.
  void SetSize(int width, int height);

  // Fixed-mode transparency: pixels of exactly the key colour are not drawn.
  bool transparent = false;
  ColourValue transparentColour = 0;

 private:
  int width_ = 0;
  int height_ = 0;
  PixelFormat format_ = PixelFormat::pf24bit;
  std::ptrdiff_t stride_ = 0;
  PictureLease lease_;  // taken before the pixels, given back after them
  // Leaves new bytes unset when asked to, so a picture about to be
  // overwritten costs no extra pass.
  template <typename T>
  struct DefaultInit : std::allocator<T> {
    template <typename U> struct rebind { using other = DefaultInit<U>; };
    template <typename U> void construct(U* p) { ::new (static_cast<void*>(p)) U; }
    template <typename U, typename... A> void construct(U* p, A&&... a) { ::new (static_cast<void*>(p)) U(std::forward<A>(a)...); }
  };
  std::vector<std::uint8_t, DefaultInit<std::uint8_t>> pixels_;
  std::vector<ColourValue> palette_;
};

// `picture` itself when it is 24-bit, else a 24-bit copy kept in `storage`.
const Bitmap& As24Bit(const Bitmap& picture, Bitmap& storage);

}  // namespace vemra
