#include "imaging/win32/LynImageExWin32.h"

#include <windows.h>

#include <stdexcept>

#include "base/Text.h"
#include "imaging/LynImageEx.h"
#include "imaging/PictureFileIo.h"
#include "imaging/Rotate.h"
#include "imaging/win32/GdiDrawing.h"

namespace vemra {
namespace {

// The holder's picture as a 24-bit bitmap; false when it is empty or a
// metafile cannot be drawn.
bool PictureAsBitmap(const Picture& holder, Bitmap& out) {
  if (const Bitmap* bitmap = holder.AsBitmap()) {
    out = *bitmap;
    out.SetPixelFormat(PixelFormat::pf24bit);
    return true;
  }
  return MetafileToBitmap(holder.AsMetafile(), out);
}

}  // namespace

bool LoadPictureKeepVector(Picture& holder, const std::string& path, const DrawSize& box) {
  if (!PictureFileExists(path)) return false;
  const bool emf = EndsWithNoCaseAscii(path, ".emf");
  if (!emf && !EndsWithNoCaseAscii(path, ".wmf")) return LoadPictureToImage(holder, path, box);
  std::vector<std::uint8_t> bytes;
  Metafile metafile;
  if (ReadPictureFile(path, bytes) && ReadMetafile(bytes, emf, metafile)) {
    holder.SetMetafile(std::move(metafile));
    return true;
  }
  // The general loader reads metafiles the same way; its failure is the
  // caller's to report.
  if (!LoadPictureToImage(holder, path)) throw std::runtime_error("Invalid metafile: " + path);
  return false;
}

void RotateImageQuarter(int angle, Picture& holder) {
  if (holder.Empty()) return;
  Bitmap bitmap;
  if (!PictureAsBitmap(holder, bitmap)) return;
  RotateBitmapQuarter(angle, bitmap);
  holder.SetBitmap(std::move(bitmap));
}

void StretchPictureToSize(int width, int height, Picture& holder, int controlWidth,
                          int controlHeight) {
  if (width == 0) width = controlWidth;
  if (height == 0) height = controlHeight;
  Bitmap out;
  const bool drawn = DrawIntoBitmap(width, height, [&](HDC dc) {
    if (const Bitmap* bitmap = holder.AsBitmap()) {
      StretchBitmap(dc, *bitmap, width, height);
    } else if (HENHMETAFILE emf = holder.AsMetafile() ? MakeEnhancedMetafile(*holder.AsMetafile()) : nullptr) {
      RECT frame{0, 0, width, height};
      PlayEnhMetaFile(dc, emf, &frame);
      DeleteEnhMetaFile(emf);
    }
  }, out);
  if (!drawn) return;
  const std::uint8_t* corner = out.Row(out.Height() - 1);
  out.transparentColour = MakeColour(corner[2], corner[1], corner[0]);
  out.transparent = true;
  holder.SetBitmap(std::move(out));
}

int DisplayColourCount() {
  HDC screen = GetDC(nullptr);
  if (!screen) return 0;
  const int exponent = GetDeviceCaps(screen, PLANES) * GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  return int(1u << (unsigned(exponent) % 32));
}

namespace {

// The system palette, or on screens without one the default palette's
// twenty static colours in its first and last ten entries.
std::vector<ColourValue> SystemPalette() {
  PALETTEENTRY entries[256] = {};
  HDC screen = GetDC(nullptr);
  const UINT read = screen ? GetSystemPaletteEntries(screen, 0, 256, entries) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  if (read != 256) {
    PALETTEENTRY defaults[20] = {};
    GetPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), 0, 20, defaults);
    for (int i = 0; i < 10; ++i) entries[i] = defaults[i], entries[246 + i] = defaults[10 + i];
  }
  std::vector<ColourValue> palette(256);
  for (int i = 0; i < 256; ++i)
    palette[i] = MakeColour(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
  return palette;
}

}  // namespace

void OptimisePalette(Picture& holder) {
  Bitmap bitmap;
  if (!PictureAsBitmap(holder, bitmap)) return;
  OptimiseBitmapPalette(bitmap, SystemPalette());
  holder.SetBitmap(std::move(bitmap));
}

}  // namespace vemra
