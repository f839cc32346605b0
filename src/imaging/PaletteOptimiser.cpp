#include "imaging/ColorQuantizer.h"
#include "imaging/LynImageEx.h"

namespace vemra {

// Windows keeps the first and last ten system palette entries for itself.
void OptimiseBitmapPalette(Bitmap& bitmap, const std::vector<ColourValue>& systemPalette) {
  bitmap.SetPixelFormat(PixelFormat::pf24bit);
  TColorQuantizer quantizer(236, 6);
  quantizer.AddBitmap(bitmap);
  const std::vector<ColourValue> colours = quantizer.Colours();
  std::vector<ColourValue> palette(256, 0);
  for (std::size_t i = 0; i < 256 && i < systemPalette.size(); ++i)
    if (i < 10 || i >= 246) palette[i] = systemPalette[i];
  for (std::size_t i = 0; i < colours.size() && i < 236; ++i) palette[10 + i] = colours[i];
  bitmap.Palette() = std::move(palette);
}

}  // namespace vemra
