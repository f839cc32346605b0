#include "imaging/Bitmap.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <stdexcept>

#include "imaging/PixelRows.h"

namespace vemra {

int BitsPerPixel(PixelFormat format) {
  switch (format) {
    case PixelFormat::pf1bit: return 1;
    case PixelFormat::pf4bit: return 4;
    case PixelFormat::pf8bit: return 8;
    case PixelFormat::pf16bit: return 16;
    case PixelFormat::pf24bit: return 24;
    case PixelFormat::pf32bit: return 32;
  }
  return 24;
}

namespace {

// Rows are padded to 4 bytes as in a device-independent bitmap, so a row
// can be handed to the platform as it is.
std::ptrdiff_t RowBytes(int width, PixelFormat format) {
  return std::ptrdiff_t((std::int64_t(width) * BitsPerPixel(format) + 31) / 32 * 4);
}

// Four bytes past the last row let word-wide and SIMD loops read the last
// pixel with a whole load.
constexpr std::uint64_t kSlack = 4;

// What the budget is asked for, before any check of what fits in memory.
std::uint64_t LeaseBytes(int width, int height, PixelFormat format) {
  if (width <= 0 || height <= 0) return 0;
  return std::uint64_t(RowBytes(width, format)) * std::uint64_t(height);
}

std::size_t BufferBytes(int width, int height, PixelFormat format) {
  if (width < 0 || height < 0) throw std::length_error("negative bitmap size");
  const std::uint64_t bytes = std::uint64_t(RowBytes(width, format)) * std::uint64_t(height) + kSlack;
  if (bytes > std::uint64_t(std::numeric_limits<std::ptrdiff_t>::max()))
    throw std::length_error("bitmap too large");
  return std::size_t(bytes);
}

}  // namespace

Bitmap::Bitmap(int width, int height, PixelFormat format) : format_(format) {
  lease_ = PictureLease(LeaseBytes(width, height, format), width, height);
  pixels_.assign(BufferBytes(width, height, format), 0);
  width_ = width;
  height_ = height;
  stride_ = RowBytes(width, format);
  palette_ = DefaultPalette(format);
}

Bitmap Bitmap::Uninitialised(int width, int height) {
  Bitmap b;
  b.lease_ = PictureLease(LeaseBytes(width, height, PixelFormat::pf24bit), width, height);
  b.pixels_.resize(BufferBytes(width, height, PixelFormat::pf24bit));
  b.width_ = width;
  b.height_ = height;
  b.stride_ = RowBytes(width, PixelFormat::pf24bit);
  // Row padding and the slack are never pixels: zeroed, so files written
  // from the rows come out the same every time.
  const std::ptrdiff_t used = 3 * std::ptrdiff_t(width);
  for (int y = 0; y < height; ++y) std::fill(b.Row(y) + used, b.Row(y) + b.stride_, std::uint8_t(0));
  std::fill(b.pixels_.end() - std::ptrdiff_t(kSlack), b.pixels_.end(), std::uint8_t(0));
  return b;
}

void Bitmap::SetSize(int width, int height) {
  if (width == width_ && height == height_) return;
  PictureLease lease(LeaseBytes(width, height, format_), width, height);
  decltype(pixels_) fresh(BufferBytes(width, height, format_), 0);
  pixels_.swap(fresh);
  lease_ = std::move(lease);
  width_ = width;
  height_ = height;
  stride_ = RowBytes(width, format_);
}

void Bitmap::SetPixelFormat(PixelFormat format) {
  if (format == format_) return;
  Bitmap converted(width_, height_, format);
  converted.palette_ = PaletteFor(*this, format);
  ConvertRows(*this, converted);
  converted.transparent = transparent;
  converted.transparentColour = transparentColour;
  *this = std::move(converted);
}

const Bitmap& As24Bit(const Bitmap& picture, Bitmap& storage) {
  if (picture.Format() == PixelFormat::pf24bit) return picture;
  storage = picture;
  storage.SetPixelFormat(PixelFormat::pf24bit);
  return storage;
}

}  // namespace vemra
