#include "layout/file/MetafileHeader.h"

#include <cmath>

namespace vemra {
namespace {

constexpr double kScreenDpi = 96;

std::uint32_t U32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}
std::int32_t I32(const std::uint8_t* p) { return std::int32_t(U32(p)); }
std::uint16_t U16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }
std::int16_t I16(const std::uint8_t* p) { return std::int16_t(U16(p)); }

int Pixels(double units, double unitsPerInch) {
  double pixels = std::nearbyint(std::fabs(units) * kScreenDpi / unitsPerInch);
  return pixels > 1e6 ? 0 : int(pixels);
}

bool ReadEnhanced(const std::uint8_t* data, std::size_t size, Metafile& out) {
  // EMR_HEADER: type 1, then bounds, frame (0.01 mm) and " EMF" at 40.
  if (size < 88 || U32(data) != 1 || U32(data + 40) != 0x464D4520) return false;
  double frameWidth = double(I32(data + 32)) - I32(data + 24);
  double frameHeight = double(I32(data + 36)) - I32(data + 28);
  out.enhanced = true;
  out.widthPixels = Pixels(frameWidth, 2540);
  out.heightPixels = Pixels(frameHeight, 2540);
  return true;
}

bool ReadPlaceable(const std::uint8_t* data, std::size_t size, Metafile& out) {
  // 22-byte placeable header (key, bounds in units of `inch` per inch) and
  // the 18-byte metafile header behind it.
  if (size < 40 || U32(data) != 0x9AC6CDD7) return false;
  int inch = U16(data + 14);
  std::uint16_t type = U16(data + 22);
  if (inch == 0 || (type != 1 && type != 2) || U16(data + 24) != 9) return false;
  out.enhanced = false;
  out.widthPixels = Pixels(double(I16(data + 10)) - I16(data + 6), inch);
  out.heightPixels = Pixels(double(I16(data + 12)) - I16(data + 8), inch);
  return true;
}

}  // namespace

bool ReadMetafileHeader(const std::uint8_t* data, std::size_t size, Metafile& out) {
  Metafile metafile;
  if (!ReadEnhanced(data, size, metafile) && !ReadPlaceable(data, size, metafile)) return false;
  metafile.bytes.assign(data, data + size);
  out = std::move(metafile);
  return true;
}

}  // namespace vemra
