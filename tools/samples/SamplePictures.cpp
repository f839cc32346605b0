#include "SamplePictures.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "imaging/PictureCodecs.h"

namespace vemra::samples {
namespace {

void Put(Bitmap& b, int x, int y, int r, int g, int bl) {
  if (x < 0 || y < 0 || x >= b.Width() || y >= b.Height()) return;
  std::uint8_t* p = b.Row(y) + 3 * x;
  p[0] = std::uint8_t(bl), p[1] = std::uint8_t(g), p[2] = std::uint8_t(r);
}

void Fill(Bitmap& b, int r, int g, int bl) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) Put(b, x, y, r, g, bl);
}

void Disc(Bitmap& b, double cx, double cy, double radius, int r, int g, int bl) {
  for (int y = int(cy - radius); y <= int(cy + radius) + 1; ++y)
    for (int x = int(cx - radius); x <= int(cx + radius) + 1; ++x)
      if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius) Put(b, x, y, r, g, bl);
}

}  // namespace

std::vector<std::uint8_t> EuSymbolBmp() {
  Bitmap b(96, 96);
  Fill(b, 0, 51, 153);
  const double pi = std::acos(-1.0);
  for (int k = 0; k < 12; ++k) {
    double a = 2 * pi * k / 12;
    Disc(b, 48 + 32 * std::sin(a), 48 - 32 * std::cos(a), 5.5, 255, 204, 0);
  }
  std::vector<std::uint8_t> bytes;
  if (!WriteBmp(b, bytes)) throw std::runtime_error("cannot write the EU symbol");
  return bytes;
}

std::vector<std::uint8_t> MunicipalityLogoJpeg() {
  Bitmap b(160, 200);
  Fill(b, 255, 255, 255);
  for (int y = 40; y < 190; ++y) {
    // A shield: straight sides, rounded to a point at the bottom.
    double half = y < 130 ? 60 : 60 * std::sqrt(std::max(0.0, 1 - std::pow((y - 130) / 60.0, 2)));
    for (int x = int(80 - half); x < int(80 + half); ++x) {
      bool stripe = (x / 20 + y / 20) % 2 == 0;
      Put(b, x, y, stripe ? 0 : 255, stripe ? 90 : 204, stripe ? 170 : 0);
    }
  }
  for (int k = 0; k < 3; ++k) Disc(b, 50 + 30 * k, 20, 10, 255, 204, 0);  // crown
  for (int x = 40; x < 120; ++x)
    for (int y = 26; y < 38; ++y) Put(b, x, y, 255, 204, 0);
  std::vector<std::uint8_t> bytes;
  if (!EncodeJpeg(b, 90, bytes)) throw std::runtime_error("cannot write the logo");
  return bytes;
}

}  // namespace vemra::samples
