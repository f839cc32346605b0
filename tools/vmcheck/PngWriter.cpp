#include "PngWriter.h"

#include <array>
#include <fstream>

#include "base/FileSystem.h"

namespace vemra {
namespace {

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

void PutBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(std::uint8_t(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type,
              const std::vector<std::uint8_t>& data) {
  PutBigEndian(out, std::uint32_t(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian(out, Crc32(out.data() + start, out.size() - start));
}

// A zlib stream of stored deflate blocks.
std::vector<std::uint8_t> StoredZlib(const std::vector<std::uint8_t>& raw) {
  std::vector<std::uint8_t> out{0x78, 0x01};
  constexpr std::size_t kBlock = 65535;
  std::size_t at = 0;
  do {
    const std::size_t n = std::min(kBlock, raw.size() - at);
    out.push_back(at + n == raw.size() ? 1 : 0);
    out.push_back(std::uint8_t(n)), out.push_back(std::uint8_t(n >> 8));
    out.push_back(std::uint8_t(~n)), out.push_back(std::uint8_t(~n >> 8));
    out.insert(out.end(), raw.begin() + std::ptrdiff_t(at), raw.begin() + std::ptrdiff_t(at + n));
    at += n;
  } while (at < raw.size());
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t byte : raw) a = (a + byte) % 65521, b = (b + a) % 65521;
  PutBigEndian(out, b << 16 | a);
  return out;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Bitmap& picture) {
  Bitmap rgb = picture;
  rgb.SetPixelFormat(PixelFormat::pf24bit);
  const int width = rgb.Width(), height = rgb.Height();
  std::vector<std::uint8_t> raw;
  raw.reserve(std::size_t(height) * (std::size_t(width) * 3 + 1));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    const std::uint8_t* p = rgb.Row(y);
    for (int x = 0; x < width; ++x, p += 3) raw.insert(raw.end(), {p[2], p[1], p[0]});
  }
  std::vector<std::uint8_t> out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> header;
  PutBigEndian(header, std::uint32_t(width));
  PutBigEndian(header, std::uint32_t(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", StoredZlib(raw));
  PutChunk(out, "IEND", {});
  return out;
}

bool WritePngFile(const std::string& path, const Bitmap& picture) {
  const std::vector<std::uint8_t> bytes = EncodePng(picture);
  std::ofstream out(NativePath(path), std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return bool(out);
}

}  // namespace vemra
