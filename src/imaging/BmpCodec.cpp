// Windows bitmap files: BITMAPCOREHEADER and BITMAPINFOHEADER (and its V4,
// V5 extensions), uncompressed or with bit-field masks.
#include <cstring>
#include <optional>

#include "imaging/PictureBudget.h"
#include "imaging/PictureCodecs.h"
#include "imaging/PictureLimits.h"

namespace vemra {
namespace {

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3,
                        kBiAlphaBitfields = 6;

std::uint32_t U16(const std::uint8_t* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8; }
std::uint32_t U32(const std::uint8_t* p) { return U16(p) | U16(p + 2) << 16; }

struct BmpHeader {
  std::int64_t width = 0, height = 0;
  bool topDown = false;
  int bits = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
  std::vector<ColourValue> palette;
  std::size_t pixelOffset = 0;
};

// Reads the bit-field masks from the header or just after it. Some writers
// declare bit fields but put the pixels where the masks belong; those files
// get the masks of the uncompressed layout.
bool ReadMasks(const std::uint8_t* data, std::size_t size, std::size_t infoSize, BmpHeader& h) {
  const std::size_t count = h.compression == kBiAlphaBitfields ? 4 : 3;
  const std::size_t at = infoSize >= 52 ? 14 + 40 : 14 + infoSize;
  if (infoSize < 52 && h.pixelOffset < at + 4 * count) {
    const bool rgb555 = h.bits == 16;
    h.masks[0] = rgb555 ? 0x7C00 : 0xFF0000;
    h.masks[1] = rgb555 ? 0x03E0 : 0x00FF00;
    h.masks[2] = rgb555 ? 0x001F : 0x0000FF;
    return true;
  }
  if (at + 4 * count > size) return false;
  for (std::size_t i = 0; i < count; ++i) h.masks[i] = U32(data + at + 4 * i);
  if (infoSize >= 56) h.masks[3] = U32(data + 14 + 52);
  return h.masks[0] || h.masks[1] || h.masks[2];
}

bool ReadPalette(const std::uint8_t* data, std::size_t size, std::size_t at, std::uint32_t used,
                 bool core, BmpHeader& h) {
  const std::uint32_t limit = 1u << h.bits;
  const std::uint32_t count = used == 0 || used > limit ? limit : used;
  const std::size_t entry = core ? 3 : 4;
  if (at > size || (size - at) / entry < count) return false;
  h.palette.resize(count);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint8_t* p = data + at + i * entry;
    h.palette[i] = MakeColour(p[2], p[1], p[0]);
  }
  return true;
}

std::optional<BmpHeader> ReadHeader(const std::uint8_t* data, std::size_t size) {
  if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M') return std::nullopt;
  BmpHeader h;
  h.pixelOffset = U32(data + 10);
  const std::size_t infoSize = U32(data + 14);
  if (infoSize < 12 || infoSize > size - 14) return std::nullopt;
  const std::uint8_t* info = data + 14;
  const bool core = infoSize < 40;
  std::uint32_t used = 0;
  if (core) {
    h.width = U16(info + 4), h.height = U16(info + 6), h.bits = int(U16(info + 10));
  } else {
    h.width = std::int32_t(U32(info + 4));
    h.height = std::int32_t(U32(info + 8));
    h.bits = int(U16(info + 14));
    h.compression = U32(info + 16);
    used = U32(info + 32);
  }
  if (h.height < 0) h.topDown = true, h.height = -h.height;
  if (!PictureSizeAcceptable(h.width, h.height) || !AdmitPicture(h.width, h.height))
    return std::nullopt;
  switch (h.bits) {
    case 1: case 4: case 8:
      if (h.compression != kBiRgb && !(h.bits == 8 && h.compression == kBiRle8) &&
          !(h.bits == 4 && h.compression == kBiRle4))
        return std::nullopt;
      if (h.compression != kBiRgb && h.topDown) return std::nullopt;
      if (!ReadPalette(data, size, 14 + infoSize, used, core, h)) return std::nullopt;
      break;
    case 16: case 24: case 32:
      if (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields) {
        if (h.bits == 24 || !ReadMasks(data, size, infoSize, h)) return std::nullopt;
      } else if (h.compression != kBiRgb) {
        return std::nullopt;
      }
      break;
    default: return std::nullopt;
  }
  return h;
}

PixelFormat FormatOfBits(int bits) {
  switch (bits) {
    case 1: return PixelFormat::pf1bit;
    case 4: return PixelFormat::pf4bit;
    case 8: return PixelFormat::pf8bit;
    case 16: return PixelFormat::pf16bit;
    case 32: return PixelFormat::pf32bit;
    default: return PixelFormat::pf24bit;
  }
}

// One channel of a masked pixel scaled to 0-255.
struct Channel {
  explicit Channel(std::uint32_t mask) : mask(mask) {
    if (!mask) return;
    while (!(mask >> shift & 1)) ++shift;
    max = mask >> shift;
  }
  std::uint8_t Of(std::uint32_t pixel, std::uint8_t absent) const {
    if (!mask) return absent;
    return std::uint8_t((std::uint64_t((pixel & mask) >> shift) * 255 + max / 2) / max);
  }
  std::uint32_t mask;
  int shift = 0;
  std::uint32_t max = 1;
};

bool IsDefault555(const BmpHeader& h) {
  return h.compression == kBiRgb ||
         (h.masks[0] == 0x7C00 && h.masks[1] == 0x03E0 && h.masks[2] == 0x001F);
}

// Masked 16 and 32-bit rows become 32 bits blue, green, red, alpha.
void UnpackMaskedRow(const BmpHeader& h, const std::uint8_t* in, std::uint8_t* out) {
  const Channel r(h.masks[0]), g(h.masks[1]), b(h.masks[2]), a(h.masks[3]);
  const int step = h.bits / 8;
  for (std::int64_t x = 0; x < h.width; ++x, in += step, out += 4) {
    const std::uint32_t v = step == 2 ? U16(in) : U32(in);
    out[0] = b.Of(v, 0), out[1] = g.Of(v, 0), out[2] = r.Of(v, 0), out[3] = a.Of(v, 0xFF);
  }
}

// Run-length coded 8 and 4-bit pixels into bottom-up rows of `stride`
// bytes. Runs that leave the picture are clipped; running out of data
// before the end marker means the file is damaged.
class RleDecoder {
 public:
  RleDecoder(const BmpHeader& h, std::size_t stride, std::vector<std::uint8_t>& rows)
      : h_(h), stride_(stride), rows_(rows) {}

  bool Decode(const std::uint8_t* in, std::size_t size) {
    std::size_t i = 0;
    while (i + 2 <= size) {
      const std::uint8_t count = in[i], value = in[i + 1];
      i += 2;
      if (count > 0) {
        for (int k = 0; k < count; ++k) Put(Nibble(value, k));
        continue;
      }
      if (value == 0) { x_ = 0, ++y_; continue; }
      if (value == 1) return true;
      if (value == 2) {
        if (i + 2 > size) return false;
        x_ += in[i], y_ += in[i + 1], i += 2;
        continue;
      }
      const std::size_t bytes = h_.bits == 8 ? value : (value + 1u) / 2;
      if (size - i < bytes) return false;
      for (int k = 0; k < value; ++k) Put(h_.bits == 8 ? in[i + k] : Nibble(in[i + k / 2], k));
      i += (bytes + 1) & ~std::size_t(1);
    }
    return false;
  }

 private:
  std::uint8_t Nibble(std::uint8_t v, int k) const {
    return h_.bits == 8 ? v : (k & 1) ? v & 0x0F : v >> 4;
  }
  void Put(std::uint8_t index) {
    if (x_ < h_.width && y_ < h_.height) {
      std::uint8_t* row = rows_.data() + std::size_t(y_) * stride_;
      if (h_.bits == 8) {
        row[x_] = index;
      } else {
        std::uint8_t& b = row[x_ / 2];
        b = (x_ & 1) ? std::uint8_t((b & 0xF0) | index) : std::uint8_t((b & 0x0F) | index << 4);
      }
    }
    ++x_;
  }

  const BmpHeader& h_;
  std::size_t stride_;
  std::vector<std::uint8_t>& rows_;
  std::int64_t x_ = 0, y_ = 0;
};

}  // namespace

bool ReadBmp(const std::uint8_t* data, std::size_t size, Bitmap& out) {
  if (!data) return false;
  const std::optional<BmpHeader> h = ReadHeader(data, size);
  if (!h) return false;
  const std::size_t stride = std::size_t((h->width * h->bits + 31) / 32 * 4);
  const std::size_t lastRow = std::size_t((h->width * h->bits + 7) / 8);
  if (h->pixelOffset > size) return false;
  std::vector<std::uint8_t> expanded;
  PictureLease expandedLease;
  const std::uint8_t* pixels = data + h->pixelOffset;
  if (h->compression == kBiRle8 || h->compression == kBiRle4) {
    // A few bytes of runs can declare any size: the budget decides first.
    try {
      expandedLease = PictureLease(stride * std::uint64_t(h->height), int(h->width), int(h->height));
      expanded.assign(stride * std::size_t(h->height), 0);
    } catch (const std::exception&) {
      return false;
    }
    if (!RleDecoder(*h, stride, expanded).Decode(pixels, size - h->pixelOffset)) return false;
    pixels = expanded.data();
  } else if (size - h->pixelOffset < stride * std::size_t(h->height - 1) + lastRow) {
    return false;
  }

  const bool masked = h->bits == 32 ? h->compression != kBiRgb : h->bits == 16 && !IsDefault555(*h);
  PixelFormat format = masked ? PixelFormat::pf32bit : FormatOfBits(h->bits);
  try {
    Bitmap picture(int(h->width), int(h->height), format);
    if (h->bits <= 8) picture.Palette() = h->palette;
    for (int y = 0; y < picture.Height(); ++y) {
      const int fileRow = h->topDown ? y : picture.Height() - 1 - y;
      const std::uint8_t* in = pixels + std::size_t(fileRow) * stride;
      if (masked)
        UnpackMaskedRow(*h, in, picture.Row(y));
      else
        std::memcpy(picture.Row(y), in, lastRow);
    }
    // Masked 16-bit pixels keep their colour depth best as 24 bits.
    if (masked && h->bits == 16) picture.SetPixelFormat(PixelFormat::pf24bit);
    out = std::move(picture);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

namespace {

void Put16(std::vector<std::uint8_t>& v, std::uint32_t x) {
  v.push_back(std::uint8_t(x)), v.push_back(std::uint8_t(x >> 8));
}
void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) { Put16(v, x), Put16(v, x >> 16); }

}  // namespace

bool WriteBmp(const Bitmap& picture, std::vector<std::uint8_t>& out) {
  try {
    const int bits = BitsPerPixel(picture.Format());
    const std::size_t colours = bits <= 8 ? std::size_t(1) << bits : 0;
    const std::size_t stride = std::size_t(picture.Stride());
    const std::size_t headers = 14 + 40 + colours * 4;
    const std::uint64_t total = headers + std::uint64_t(stride) * std::uint64_t(picture.Height());
    if (total > 0xFFFFFFFFu) return false;
    std::vector<std::uint8_t> file;
    file.reserve(std::size_t(total));
    file.push_back('B'), file.push_back('M');
    Put32(file, std::uint32_t(total)), Put32(file, 0), Put32(file, std::uint32_t(headers));
    Put32(file, 40), Put32(file, std::uint32_t(picture.Width())), Put32(file, std::uint32_t(picture.Height()));
    Put16(file, 1), Put16(file, std::uint32_t(bits)), Put32(file, kBiRgb);
    Put32(file, std::uint32_t(stride * std::size_t(picture.Height())));
    Put32(file, 3780), Put32(file, 3780);  // 96 dots per inch
    Put32(file, std::uint32_t(colours)), Put32(file, 0);
    for (std::size_t i = 0; i < colours; ++i) {
      const ColourValue c = i < picture.Palette().size() ? picture.Palette()[i] : 0;
      file.push_back(std::uint8_t(BlueOf(c))), file.push_back(std::uint8_t(GreenOf(c)));
      file.push_back(std::uint8_t(RedOf(c))), file.push_back(0);
    }
    for (int y = picture.Height() - 1; y >= 0; --y)
      file.insert(file.end(), picture.Row(y), picture.Row(y) + stride);
    out = std::move(file);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace vemra
