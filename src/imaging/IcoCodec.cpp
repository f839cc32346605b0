#include <algorithm>
#include <cstring>

#include "imaging/PictureCodecs.h"

namespace vemra {
namespace {

std::uint32_t Le16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}
void Put32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}

struct IconEntry {
  std::uint32_t size = 0, offset = 0;
  int area = 0, bits = 0;
};

// The largest picture of the file, the deepest of equal size: what a
// person would pick to show the icon at its best.
bool PickEntry(const std::uint8_t* data, std::size_t size, IconEntry& best) {
  if (size < 6 || Le16(data) != 0 || Le16(data + 2) != 1) return false;
  const std::size_t count = Le16(data + 4);
  if (count == 0 || 6 + 16 * count > size) return false;
  bool found = false;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = data + 6 + 16 * i;
    IconEntry entry{Le32(e + 8), Le32(e + 12), (e[0] ? e[0] : 256) * (e[1] ? e[1] : 256),
                    int(Le16(e + 6))};
    if (entry.offset >= size || entry.size > size - entry.offset || entry.size < 40) continue;
    if (!found || entry.area > best.area || (entry.area == best.area && entry.bits > best.bits)) {
      best = entry;
      found = true;
    }
  }
  return found;
}

// Pixels the icon's AND mask leaves out show the white a fresh bitmap has.
void WhitenMasked(const std::uint8_t* mask, std::size_t maskSize, Bitmap& out) {
  const int w = out.Width(), h = out.Height();
  const std::size_t stride = ((std::size_t(w) + 31) / 32) * 4;
  if (maskSize < stride * std::size_t(h)) return;
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* row = mask + stride * std::size_t(h - 1 - y);  // bottom-up
    std::uint8_t* pixels = out.Row(y);
    for (int x = 0; x < w; ++x)
      if (row[x / 8] & (0x80 >> (x % 8))) std::memset(pixels + 3 * x, 0xFF, 3);
  }
}

}  // namespace

bool ReadIco(const std::uint8_t* data, std::size_t size, Bitmap& out) {
  IconEntry entry;
  if (!PickEntry(data, size, entry)) return false;
  const std::uint8_t* dib = data + entry.offset;
  const std::uint32_t headerSize = Le32(dib);
  if (headerSize < 40 || headerSize > entry.size) return false;  // a PNG entry among others
  const std::int32_t height = std::int32_t(Le32(dib + 8)) / 2;   // colour rows, then the mask
  const std::uint32_t bits = Le16(dib + 14), used = Le32(dib + 32);
  if (height <= 0 || bits == 0 || bits > 32 || used > 256) return false;
  const std::uint32_t colours = used ? used : (bits <= 8 ? 1u << bits : 0u);
  const std::uint32_t pixelStart = headerSize + 4 * colours;

  // A bitmap file of the colour rows: a file header, the DIB with its
  // height halved.
  std::vector<std::uint8_t> file(14 + entry.size);
  file[0] = 'B';
  file[1] = 'M';
  Put32(&file[2], std::uint32_t(file.size()));
  Put32(&file[10], 14 + pixelStart);
  std::memcpy(&file[14], dib, entry.size);
  Put32(&file[14 + 8], std::uint32_t(height));
  Bitmap colour;
  if (!ReadBmp(file.data(), file.size(), colour)) return false;
  colour.SetPixelFormat(PixelFormat::pf24bit);
  const std::size_t rowBytes = ((std::size_t(colour.Width()) * bits + 31) / 32) * 4;
  const std::size_t maskStart = pixelStart + rowBytes * std::size_t(height);
  if (maskStart < entry.size) WhitenMasked(dib + maskStart, entry.size - maskStart, colour);
  out = std::move(colour);
  return true;
}

}  // namespace vemra
