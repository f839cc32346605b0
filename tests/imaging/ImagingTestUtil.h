#pragma once
// Small helpers shared by the imaging tests.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "imaging/Bitmap.h"
#include "imaging/PixelRows.h"

namespace vemra::test {

inline std::string DataPath(const std::string& name) {
  return std::string(VEMRA_TEST_DATA) + "/imaging/" + name;
}

inline std::vector<std::uint8_t> FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Binary PPM (P6, maxval 255) as a 24-bit bitmap.
inline Bitmap ReadPpm(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int width = 0, height = 0, maxval = 0;
  in >> magic >> width >> height >> maxval;
  in.get();
  Bitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      char rgb[3];
      in.read(rgb, 3);
      std::uint8_t* p = b.Row(y) + 3 * x;
      p[0] = std::uint8_t(rgb[2]), p[1] = std::uint8_t(rgb[1]), p[2] = std::uint8_t(rgb[0]);
    }
  return b;
}

// Colour value of pixel (x, y) in any format.
inline ColourValue PixelAt(const Bitmap& b, int x, int y) {
  std::vector<std::uint8_t> bgr(std::size_t(b.Width()) * 3);
  ReadRowBgr(b, y, bgr.data());
  return MakeColour(bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]);
}

inline void SetPixel(Bitmap& b, int x, int y, ColourValue c) {
  std::uint8_t* p = b.Row(y) + 3 * x;
  p[0] = std::uint8_t(BlueOf(c)), p[1] = std::uint8_t(GreenOf(c)), p[2] = std::uint8_t(RedOf(c));
}

inline Bitmap Filled(int width, int height, ColourValue c) {
  Bitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) SetPixel(b, x, y, c);
  return b;
}

// A smooth picture with no two rows or columns alike.
inline Bitmap Gradient(int width, int height) {
  Bitmap b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      SetPixel(b, x, y, MakeColour(x * 255 / width, y * 255 / height, 255 - (x + y) * 127 / (width + height)));
  return b;
}

// Equal size, and every pixel within `tolerance` in every channel.
inline bool SamePixels(const Bitmap& a, const Bitmap& b, int tolerance = 0) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const ColourValue p = PixelAt(a, x, y), q = PixelAt(b, x, y);
      for (int shift : {0, 8, 16}) {
        const int d = int(p >> shift & 0xFF) - int(q >> shift & 0xFF);
        if (d > tolerance || d < -tolerance) return false;
      }
    }
  return true;
}

}  // namespace vemra::test
