#include "imaging/PixelRows.h"

#include <cstring>
#include <unordered_map>

#include "imaging/ColorQuantizer.h"
#include "imaging/LynImageEx.h"

namespace vemra {

std::vector<ColourValue> DefaultPalette(PixelFormat format) {
  switch (format) {
    case PixelFormat::pf1bit: return {0x000000, 0xFFFFFF};
    case PixelFormat::pf4bit: return {std::begin(kStandardColours), std::end(kStandardColours)};
    case PixelFormat::pf8bit: {
      std::vector<ColourValue> greys(256);
      for (int i = 0; i < 256; ++i) greys[i] = MakeColour(i, i, i);
      return greys;
    }
    default: return {};
  }
}

std::vector<ColourValue> PaletteFor(const Bitmap& source, PixelFormat target) {
  if (target != PixelFormat::pf8bit) return DefaultPalette(target);
  TColorQuantizer quantizer(256, 8);
  std::vector<std::uint8_t> bgr(std::size_t(source.Width()) * 3);
  for (int y = 0; y < source.Height(); ++y) {
    ReadRowBgr(source, y, bgr.data());
    for (std::size_t i = 0; i < bgr.size(); i += 3) quantizer.AddColour(bgr[i + 2], bgr[i + 1], bgr[i]);
  }
  std::vector<ColourValue> palette = quantizer.Colours();
  if (palette.empty()) palette.push_back(0);
  return palette;
}

namespace {

std::uint8_t IndexAt(const std::uint8_t* row, PixelFormat format, int x) {
  switch (format) {
    case PixelFormat::pf1bit: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case PixelFormat::pf4bit: return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default: return row[x];
  }
}

void PutIndex(std::uint8_t* row, PixelFormat format, int x, std::uint8_t index) {
  switch (format) {
    case PixelFormat::pf1bit: {
      const std::uint8_t bit = std::uint8_t(0x80 >> (x & 7));
      row[x >> 3] = index ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
      break;
    }
    case PixelFormat::pf4bit:
      row[x >> 1] = (x & 1) ? std::uint8_t((row[x >> 1] & 0xF0) | (index & 0x0F))
                            : std::uint8_t((row[x >> 1] & 0x0F) | (index << 4));
      break;
    default: row[x] = index;
  }
}

// Nearest palette entry by squared distance, remembered per colour.
class PaletteMatcher {
 public:
  explicit PaletteMatcher(const std::vector<ColourValue>& palette) : palette_(palette) {}
  std::uint8_t Match(int b, int g, int r) {
    const std::uint32_t key = std::uint32_t(b) << 16 | std::uint32_t(g) << 8 | std::uint32_t(r);
    auto found = cache_.find(key);
    if (found != cache_.end()) return found->second;
    std::uint8_t best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t i = 0; i < palette_.size() && i < 256; ++i) {
      const int dr = RedOf(palette_[i]) - r, dg = GreenOf(palette_[i]) - g,
                db = BlueOf(palette_[i]) - b;
      const int distance = dr * dr + dg * dg + db * db;
      if (distance < bestDistance) bestDistance = distance, best = std::uint8_t(i);
    }
    cache_.emplace(key, best);
    return best;
  }

 private:
  const std::vector<ColourValue>& palette_;
  std::unordered_map<std::uint32_t, std::uint8_t> cache_;
};

void WriteRowBgr(Bitmap& bitmap, int y, const std::uint8_t* bgr, PaletteMatcher& matcher) {
  std::uint8_t* row = bitmap.Row(y);
  const int width = bitmap.Width();
  switch (bitmap.Format()) {
    case PixelFormat::pf24bit: std::memcpy(row, bgr, std::size_t(width) * 3); break;
    case PixelFormat::pf32bit:
      for (int x = 0; x < width; ++x, bgr += 3, row += 4)
        row[0] = bgr[0], row[1] = bgr[1], row[2] = bgr[2], row[3] = 0xFF;
      break;
    case PixelFormat::pf16bit:
      for (int x = 0; x < width; ++x, bgr += 3, row += 2) {
        const unsigned v = unsigned(bgr[2] >> 3) << 10 | unsigned(bgr[1] >> 3) << 5 | unsigned(bgr[0] >> 3);
        row[0] = std::uint8_t(v), row[1] = std::uint8_t(v >> 8);
      }
      break;
    default:
      for (int x = 0; x < width; ++x, bgr += 3)
        PutIndex(row, bitmap.Format(), x, matcher.Match(bgr[0], bgr[1], bgr[2]));
  }
}

// 5-bit channel to 8 bits with the low bits filled, so 31 becomes 255.
std::uint8_t Expand5(unsigned v) { return std::uint8_t(v << 3 | v >> 2); }

}  // namespace

void ReadRowBgr(const Bitmap& bitmap, int y, std::uint8_t* bgr) {
  const std::uint8_t* row = bitmap.Row(y);
  const int width = bitmap.Width();
  const auto& palette = bitmap.Palette();
  switch (bitmap.Format()) {
    case PixelFormat::pf24bit: std::memcpy(bgr, row, std::size_t(width) * 3); break;
    case PixelFormat::pf32bit:
      for (int x = 0; x < width; ++x, bgr += 3, row += 4) bgr[0] = row[0], bgr[1] = row[1], bgr[2] = row[2];
      break;
    case PixelFormat::pf16bit:
      for (int x = 0; x < width; ++x, bgr += 3, row += 2) {
        const unsigned v = unsigned(row[0]) | unsigned(row[1]) << 8;
        bgr[0] = Expand5(v & 31), bgr[1] = Expand5(v >> 5 & 31), bgr[2] = Expand5(v >> 10 & 31);
      }
      break;
    default:
      for (int x = 0; x < width; ++x, bgr += 3) {
        const std::uint8_t index = IndexAt(row, bitmap.Format(), x);
        const ColourValue c = index < palette.size() ? palette[index] : 0;
        bgr[0] = std::uint8_t(BlueOf(c)), bgr[1] = std::uint8_t(GreenOf(c)), bgr[2] = std::uint8_t(RedOf(c));
      }
  }
}

void ConvertRows(const Bitmap& from, Bitmap& to) {
  std::vector<std::uint8_t> bgr(std::size_t(from.Width()) * 3);
  PaletteMatcher matcher(to.Palette());
  for (int y = 0; y < from.Height(); ++y) {
    ReadRowBgr(from, y, bgr.data());
    WriteRowBgr(to, y, bgr.data(), matcher);
  }
}

Bitmap As24Bit(const Bitmap& bitmap) {
  Bitmap copy = bitmap;
  copy.SetPixelFormat(PixelFormat::pf24bit);
  return copy;
}

}  // namespace vemra
