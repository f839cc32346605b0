#include "base/win32/Win32Windows.h"
#include "imaging/win32/GdiDrawing.h"

#include <cstring>
#include <vector>

#include "imaging/PictureBudget.h"
#include "imaging/PictureLimits.h"

namespace vemra {

bool DrawIntoBitmap(int width, int height, const std::function<void(HDC)>& draw, Bitmap& out) {
  if (!PictureSizeAcceptable(width, height) || !AdmitPicture(width, height)) return false;
  // Held while the section and the copy made from it both live.
  const PictureLease lease(Picture24Bytes(width, height), width, height);
  BITMAPINFO info = TopDown24BitInfo(width, height);
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dc || !section) {
    if (section) DeleteObject(section);
    if (dc) DeleteDC(dc);
    return false;
  }
  HGDIOBJ old = SelectObject(dc, section);
  RECT all{0, 0, width, height};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  draw(dc);
  GdiFlush();
  Bitmap result(width, height);
  const std::size_t rowBytes = std::size_t(result.Stride());  // DIB rows pad the same way
  for (int y = 0; y < height; ++y)
    std::memcpy(result.Row(y), static_cast<const std::uint8_t*>(bits) + rowBytes * std::size_t(y), rowBytes);
  SelectObject(dc, old);
  DeleteObject(section);
  DeleteDC(dc);
  out = std::move(result);
  return true;
}

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableHeader = 22;

std::uint32_t U32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
         std::uint32_t(p[3]) << 24;
}

}  // namespace

HENHMETAFILE MakeEnhancedMetafile(const Metafile& metafile) {
  const auto& b = metafile.bytes;
  if (metafile.enhanced) return b.size() < 88 ? nullptr : SetEnhMetaFileBits(UINT(b.size()), b.data());
  if (b.size() <= kPlaceableHeader || U32(b.data()) != kPlaceableKey) return nullptr;
  METAFILEPICT pict{MM_ANISOTROPIC, metafile.widthPixels, metafile.heightPixels, nullptr};
  return SetWinMetaFileBits(UINT(b.size() - kPlaceableHeader), b.data() + kPlaceableHeader, nullptr, &pict);
}

void StretchBitmap(HDC dc, const Bitmap& bitmap, int width, int height) {
  Bitmap rgb = bitmap;
  rgb.SetPixelFormat(PixelFormat::pf24bit);
  BITMAPINFO info = TopDown24BitInfo(rgb.Width(), rgb.Height());
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, 0, 0, width, height, 0, 0, rgb.Width(), rgb.Height(), rgb.Row(0), &info,
                DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace vemra
