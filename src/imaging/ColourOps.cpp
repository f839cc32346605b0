// Grey conversion, line screen and the standard colour lookup.
#include <algorithm>
#include <cstring>

#include "imaging/GreyRow.h"
#include "imaging/LynImageEx.h"

namespace vemra {
namespace {

int Luminance(int red, int green, int blue) { return (red * 77 + green * 150 + blue * 29) >> 8; }

void Fill(Bitmap& bitmap, ColourValue colour) {
  for (int y = 0; y < bitmap.Height(); ++y) {
    std::uint8_t* p = bitmap.Row(y);
    for (int x = 0; x < bitmap.Width(); ++x, p += 3)
      p[0] = std::uint8_t(BlueOf(colour)), p[1] = std::uint8_t(GreenOf(colour)), p[2] = std::uint8_t(RedOf(colour));
  }
}

void Paint(Bitmap& bitmap, int x, int y, ColourValue colour) {
  std::uint8_t* p = bitmap.Row(y) + 3 * x;
  p[0] = std::uint8_t(BlueOf(colour)), p[1] = std::uint8_t(GreenOf(colour)), p[2] = std::uint8_t(RedOf(colour));
}

}  // namespace

int ColourLuminance(std::uint32_t packed) {
  return Luminance(int(packed >> 16 & 0xFF), int(packed >> 8 & 0xFF), int(packed & 0xFF));
}

bool IsGreyColour(ColourValue colour) {
  return RedOf(colour) == GreenOf(colour) && GreenOf(colour) == BlueOf(colour);
}

ColourValue GreyOfColour(ColourValue colour) {
  if (IsGreyColour(colour)) return colour;
  const int l = Luminance(RedOf(colour), GreenOf(colour), BlueOf(colour));
  return MakeColour(l, l, l);
}

int StandardColourIndex(ColourValue colour) {
  const auto* found = std::find(std::begin(kStandardColours), std::end(kStandardColours), colour);
  return found == std::end(kStandardColours) ? -1 : int(found - std::begin(kStandardColours));
}

void ConvertToGreyScale(Bitmap& bitmap) {
  bitmap.SetPixelFormat(PixelFormat::pf24bit);
  for (int y = 0; y < bitmap.Height(); ++y) GreyRow(bitmap.Row(y), bitmap.Width());
  if (bitmap.transparent) bitmap.transparentColour = GreyOfColour(bitmap.transparentColour);
}

// A spacing of 0 (a layout's extreme values can produce one) is taken as 1,
// the densest screen, rather than dividing by zero or dropping the picture.
void DrawLineScreen(Bitmap& bitmap, int threshold, int spacing, ColourValue lineColour) {
  threshold &= 0xFF;
  spacing &= 0xFF;
  if (spacing == 0) spacing = 1;
  bitmap.SetPixelFormat(PixelFormat::pf24bit);
  const int width = bitmap.Width(), height = bitmap.Height();
  Bitmap out(width, height);
  Fill(out, 0xFFFFFF);
  for (int r = spacing - 1; r < height; r += spacing) {
    const std::uint8_t* src = bitmap.Row(r);
    for (int x = 0; x < width; ++x, src += 3) {
      Paint(out, x, r, lineColour);
      if (Luminance(src[2], src[1], src[0]) >= threshold) continue;
      if (r >= 1) Paint(out, x, r - 1, lineColour);
      if (r < height - 2) Paint(out, x, r + 1, lineColour);
    }
  }
  out.transparent = true;
  out.transparentColour = 0xFFFFFF;
  bitmap = std::move(out);
}

}  // namespace vemra
