#include "capture/scanner/DibConversion.h"

#include <cstring>
#include <exception>
#include <vector>

#include "imaging/PictureCodecs.h"

namespace vemra {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3,
                        kBiAlphaBitfields = 6;

std::uint32_t U16(const std::uint8_t* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8; }
std::uint32_t U32(const std::uint8_t* p) { return U16(p) | U16(p + 2) << 16; }

void Put32(std::uint8_t* p, std::uint64_t v) {
  for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}

// Where the pixels start and where the bitmap ends inside the block, from
// the header alone; false when the header claims more than the block holds.
struct DibLayout {
  std::uint64_t pixelOffset = 0;
  std::uint64_t end = 0;
};

bool Measure(const std::uint8_t* dib, std::size_t size, DibLayout& layout) {
  if (size < 12) return false;
  const std::uint64_t headerSize = U32(dib);
  if (headerSize != 12 && headerSize < 40) return false;
  if (headerSize > size) return false;
  if (headerSize == 12) {
    const std::uint32_t bits = U16(dib + 10);
    const std::uint64_t colours = bits <= 8 ? std::uint64_t(1) << bits : 0;
    layout.pixelOffset = headerSize + 3 * colours;
    layout.end = size;
    return layout.pixelOffset <= size;
  }
  const std::uint32_t bits = U16(dib + 14);
  const std::uint32_t compression = U32(dib + 16);
  const std::uint64_t imageSize = U32(dib + 20);
  const std::uint64_t used = U32(dib + 32);
  // A plain info header carries its bit-field masks behind it.
  std::uint64_t masks = 0;
  if (headerSize == 40 && compression == kBiBitfields) masks = 12;
  if (headerSize == 40 && compression == kBiAlphaBitfields) masks = 16;
  std::uint64_t colours = used;
  if (bits <= 8) {
    const std::uint64_t limit = std::uint64_t(1) << bits;
    if (used > limit) return false;
    if (used == 0) colours = limit;
  }
  layout.pixelOffset = headerSize + masks + 4 * colours;
  if (layout.pixelOffset > size) return false;
  if (imageSize > size - layout.pixelOffset) return false;
  const bool runLength = compression == kBiRle8 || compression == kBiRle4;
  layout.end = runLength && imageSize != 0 ? layout.pixelOffset + imageSize : size;
  return true;
}

}  // namespace

bool DibToBitmap(const std::uint8_t* dib, std::size_t size, Bitmap& out) {
  if (!dib) return false;
  DibLayout layout;
  if (!Measure(dib, size, layout)) return false;
  const std::uint64_t fileSize = kFileHeaderSize + layout.end;
  if (fileSize > 0xFFFFFFFFu) return false;
  try {
    std::vector<std::uint8_t> file(std::size_t(fileSize), 0);
    file[0] = 'B', file[1] = 'M';
    Put32(&file[2], fileSize);
    Put32(&file[10], kFileHeaderSize + layout.pixelOffset);
    std::memcpy(file.data() + kFileHeaderSize, dib, std::size_t(layout.end));
    Bitmap picture;
    if (!ReadBmp(file.data(), file.size(), picture)) return false;
    file = {};
    picture.SetPixelFormat(PixelFormat::pf24bit);
    out = std::move(picture);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace vemra
