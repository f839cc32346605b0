#include "base/win32/Win32Windows.h"
#include "layout/render/win32/GdiCanvas.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "base/win32/SystemLibraries.h"
#include "imaging/PictureLimits.h"
#include "imaging/win32/GdiDrawing.h"

namespace vemra {
namespace {

constexpr int kMaxFaceLength = LF_FACESIZE - 1;

// The picture in 24 bits, copied only when it has another format. Our
// rows pad to four bytes like DIB rows, so Row(0) is a packed DIB.
class Bits24 {
 public:
  explicit Bits24(const Bitmap& picture) : source_(&picture) {
    if (picture.Format() != PixelFormat::pf24bit) {
      converted_ = picture;
      converted_.SetPixelFormat(PixelFormat::pf24bit);
      source_ = &converted_;
    }
    info_ = TopDown24BitInfo(source_->Width(), source_->Height());
  }
  const Bitmap& bitmap() const { return *source_; }
  const void* bits() const { return source_->Row(0); }
  const BITMAPINFO* info() const { return &info_; }

 private:
  const Bitmap* source_;
  Bitmap converted_;
  BITMAPINFO info_;
};

// The picture as a bottom-up DIB: with top-down bits and a raster
// operation other than a copy, Wine's StretchDIBits answers a negative line
// count, and for one line that is GDI_ERROR itself.
struct BottomUp {
  explicit BottomUp(const Bitmap& picture) {
    Bits24 top(picture);
    const std::size_t stride = std::size_t(top.bitmap().Stride());
    const int h = picture.Height();
    bytes.resize(stride * std::size_t(h));
    for (int y = 0; y < h; ++y) std::memcpy(&bytes[stride * std::size_t(h - 1 - y)], top.bitmap().Row(y), stride);
    info = TopDown24BitInfo(picture.Width(), -h);
  }
  BITMAPINFO info;
  std::vector<std::uint8_t> bytes;
};

bool Succeeded(int lines) { return lines > 0 && lines != int(GDI_ERROR); }

// A memory device holding a copy of a picture, for the calls that take a
// source device (TransparentBlt, AlphaBlend).
class SourceDc {
 public:
  explicit SourceDc(const Bitmap& picture) {
    Bits24 bits(picture);
    dc_ = CreateCompatibleDC(nullptr);
    section_ = dc_ ? CreateDIBSection(dc_, bits.info(), DIB_RGB_COLORS, &pixels_, nullptr, 0) : nullptr;
    if (!section_) return;
    std::memcpy(pixels_, bits.bits(), std::size_t(bits.bitmap().Stride()) * std::size_t(picture.Height()));
    old_ = SelectObject(dc_, section_);
  }
  ~SourceDc() {
    if (old_) SelectObject(dc_, old_);
    if (section_) DeleteObject(section_);
    if (dc_) DeleteDC(dc_);
  }
  SourceDc(const SourceDc&) = delete;
  SourceDc& operator=(const SourceDc&) = delete;
  HDC dc() const { return section_ ? dc_ : nullptr; }
  const void* pixels() const { return pixels_; }

 private:
  HDC dc_ = nullptr;
  void* pixels_ = nullptr;
  HBITMAP section_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
  ~Selected() {
    if (old_) SelectObject(dc_, old_);
  }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Text state for one call: font, colour, transparent background, top-left
// alignment and character spacing, all put back afterwards.
class TextState {
 public:
  TextState(HDC dc, HFONT font, ColourValue colour, int characterExtra)
      : dc_(dc), font_(dc, font) {
    oldColour_ = SetTextColor(dc, colour & 0xFFFFFF);
    oldMode_ = SetBkMode(dc, TRANSPARENT);
    oldAlign_ = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    oldExtra_ = SetTextCharacterExtra(dc, characterExtra);
  }
  ~TextState() {
    SetTextCharacterExtra(dc_, oldExtra_);
    SetTextAlign(dc_, oldAlign_);
    SetBkMode(dc_, oldMode_);
    SetTextColor(dc_, oldColour_);
  }
  TextState(const TextState&) = delete;
  TextState& operator=(const TextState&) = delete;

 private:
  HDC dc_;
  Selected font_;
  COLORREF oldColour_;
  int oldMode_;
  UINT oldAlign_;
  int oldExtra_;
};

class StretchMode {
 public:
  explicit StretchMode(HDC dc) : dc_(dc), old_(SetStretchBltMode(dc, COLORONCOLOR)) {}
  ~StretchMode() {
    if (old_) SetStretchBltMode(dc_, old_);
  }
  StretchMode(const StretchMode&) = delete;
  StretchMode& operator=(const StretchMode&) = delete;

 private:
  HDC dc_;
  int old_;
};

UINT DrawTextFlags(unsigned format) {
  UINT flags = DT_LEFT | DT_TOP;
  if (format & kAlignCentre) flags |= DT_CENTER;
  if (format & kAlignRight) flags |= DT_RIGHT;
  if (format & kAlignVCentre) flags |= DT_VCENTER;
  if (format & kAlignBottom) flags |= DT_BOTTOM;
  if (format & kWordBreak) flags |= DT_WORDBREAK;
  if (format & kNoPrefix) flags |= DT_NOPREFIX;
  if (format & kExpandTabs) flags |= DT_EXPANDTABS;
  return flags;
}

void FillWhite(Bitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y) std::memset(bitmap.Row(y), 0xFF, std::size_t(bitmap.Width()) * 3);
}

// The bitmap selected into a memory device, or an empty size.
SIZE SelectedBitmapSize(HDC dc) {
  BITMAP info{};
  HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

// Transparency without TransparentBlt, for devices that lack it: the key
// pixels are kept by AND with a white mask, the rest painted by OR.
bool MaskedStretch(HDC dc, const PixelRect& box, const Bitmap& picture) {
  Bitmap mask = picture, sprite = picture;
  mask.SetPixelFormat(PixelFormat::pf24bit);
  sprite.SetPixelFormat(PixelFormat::pf24bit);
  const ColourValue key = picture.transparentColour & 0xFFFFFF;
  for (int y = 0; y < sprite.Height(); ++y) {
    std::uint8_t* s = sprite.Row(y);
    std::uint8_t* m = mask.Row(y);
    for (int x = 0; x < sprite.Width(); ++x, s += 3, m += 3) {
      const bool hole = MakeColour(s[2], s[1], s[0]) == key;
      std::memset(m, hole ? 0xFF : 0x00, 3);
      if (hole) std::memset(s, 0, 3);
    }
  }
  const BottomUp maskBits(mask), spriteBits(sprite);
  const int w = box.Width(), h = box.Height();
  return Succeeded(StretchDIBits(dc, box.left, box.top, w, h, 0, 0, sprite.Width(), sprite.Height(),
                                 maskBits.bytes.data(), &maskBits.info, DIB_RGB_COLORS, SRCAND)) &&
         Succeeded(StretchDIBits(dc, box.left, box.top, w, h, 0, 0, sprite.Width(), sprite.Height(),
                                 spriteBits.bytes.data(), &spriteBits.info, DIB_RGB_COLORS, SRCPAINT));
}

}  // namespace

std::wstring WideFromCp1252(const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(1252, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring out(std::size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(1252, 0, text.data(), int(text.size()), out.data(), n);
  return out;
}

GdiCanvas::GdiCanvas(HDC dc) : dc_(dc) {}

GdiCanvas::~GdiCanvas() {
  ReleaseFont();
  ReleasePen();
  ReleaseBrush();
}

void GdiCanvas::ReleaseFont() {
  if (font_handle_) DeleteObject(font_handle_);
  if (upright_handle_) DeleteObject(upright_handle_);
  font_handle_ = upright_handle_ = nullptr;
}
void GdiCanvas::ReleasePen() {
  if (pen_handle_) DeleteObject(pen_handle_);
  pen_handle_ = nullptr;
}
void GdiCanvas::ReleaseBrush() {
  if (brush_handle_) DeleteObject(brush_handle_);
  brush_handle_ = nullptr;
}

void GdiCanvas::SetFont(const FontSpec& font) {
  if (font == font_) return;
  font_ = font;
  ReleaseFont();
}
void GdiCanvas::SetPen(const PenSpec& pen) {
  if (pen == pen_) return;
  pen_ = pen;
  ReleasePen();
}
void GdiCanvas::SetBrush(const BrushSpec& brush) {
  if (brush == brush_) return;
  brush_ = brush;
  ReleaseBrush();
}

HFONT GdiCanvas::FontHandle(bool turned) {
  const bool upright = !turned || font_.escapement == 0;
  HFONT& handle = upright ? upright_handle_ : font_handle_;
  if (handle) return handle;
  LOGFONTW lf{};
  lf.lfHeight = font_.height;
  lf.lfEscapement = lf.lfOrientation = upright ? 0 : font_.escapement;
  lf.lfWeight = font_.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font_.italic ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_TT_PRECIS;  // raster fonts cannot turn
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH;
  const std::wstring face = WideFromCp1252(font_.face).substr(0, kMaxFaceLength);
  std::copy(face.begin(), face.end(), lf.lfFaceName);
  handle = CreateFontIndirectW(&lf);
  return handle;
}

HPEN GdiCanvas::PenHandle() {
  if (pen_.style == PenStyle::Clear) return static_cast<HPEN>(GetStockObject(NULL_PEN));
  if (!pen_handle_) pen_handle_ = CreatePen(PS_SOLID, std::max(pen_.width, 0), pen_.colour & 0xFFFFFF);
  return pen_handle_;
}

HBRUSH GdiCanvas::BrushHandle() {
  if (brush_.style == BrushStyle::Clear) return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  if (!brush_handle_)
    brush_handle_ = brush_.style == BrushStyle::DiagonalHatch
                        ? CreateHatchBrush(HS_BDIAGONAL, brush_.colour & 0xFFFFFF)
                        : CreateSolidBrush(brush_.colour & 0xFFFFFF);
  return brush_handle_;
}

int GdiCanvas::TextWidth(const std::string& text) {
  const std::wstring wide = WideFromCp1252(text);
  TextState state(dc_, FontHandle(false), font_.colour, characterExtra_);
  SIZE size{};
  return GetTextExtentPoint32W(dc_, wide.data(), int(wide.size()), &size) ? int(size.cx) : 0;
}

FontMetrics GdiCanvas::Metrics() {
  Selected font(dc_, FontHandle(false));
  TEXTMETRICW tm{};
  if (!GetTextMetricsW(dc_, &tm)) return {};
  return {int(tm.tmHeight), int(tm.tmAscent)};
}

void GdiCanvas::TextOut(int x, int y, const std::string& text) {
  const std::wstring wide = WideFromCp1252(text);
  TextState state(dc_, FontHandle(true), font_.colour, characterExtra_);
  TextOutW(dc_, x, y, wide.data(), int(wide.size()));
}

void GdiCanvas::DrawFormattedText(const PixelRect& box, const std::string& text, unsigned format) {
  std::wstring wide = WideFromCp1252(text);
  TextState state(dc_, FontHandle(true), font_.colour, characterExtra_);
  RECT r{box.left, box.top, box.right, box.bottom};
  DrawTextW(dc_, wide.data(), int(wide.size()), &r, DrawTextFlags(format));
}

// Pen and brush for one shape; a hatch leaves the ground between its lines.
class GdiCanvas::Objects {
 public:
  explicit Objects(GdiCanvas& c)
      : dc_(c.dc_), pen_(c.dc_, c.PenHandle()), brush_(c.dc_, c.BrushHandle()),
        oldMode_(SetBkMode(c.dc_, TRANSPARENT)) {}
  ~Objects() { SetBkMode(dc_, oldMode_); }
  Objects(const Objects&) = delete;
  Objects& operator=(const Objects&) = delete;

 private:
  HDC dc_;
  Selected pen_, brush_;
  int oldMode_;
};

void GdiCanvas::Rectangle(const PixelRect& box) {
  Objects objects(*this);
  ::Rectangle(dc_, box.left, box.top, box.right, box.bottom);
}

void GdiCanvas::Ellipse(const PixelRect& box) {
  Objects objects(*this);
  ::Ellipse(dc_, box.left, box.top, box.right, box.bottom);
}

void GdiCanvas::Line(int x1, int y1, int x2, int y2) {
  Objects objects(*this);
  POINT old{};
  MoveToEx(dc_, x1, y1, &old);
  LineTo(dc_, x2, y2);
  MoveToEx(dc_, old.x, old.y, nullptr);
}

void GdiCanvas::FillRect(const PixelRect& box, ColourValue colour) {
  HBRUSH brush = CreateSolidBrush(colour & 0xFFFFFF);
  if (!brush) return;
  RECT r{box.left, box.top, box.right, box.bottom};
  ::FillRect(dc_, &r, brush);
  DeleteObject(brush);
}

void GdiCanvas::StretchDraw(const PixelRect& box, const Bitmap& picture) {
  if (picture.Empty() || box.Width() == 0 || box.Height() == 0) return;
  StretchMode mode(dc_);
  if (picture.transparent) {
    SourceDc source(picture);
    if (source.dc() && sys::TransparentBlt(dc_, box.left, box.top, box.Width(), box.Height(), source.dc(), 0, 0,
                                      picture.Width(), picture.Height(), picture.transparentColour & 0xFFFFFF))
      return;
    MaskedStretch(dc_, box, picture);
    return;
  }
  Bits24 bits(picture);
  StretchDIBits(dc_, box.left, box.top, box.Width(), box.Height(), 0, 0, picture.Width(), picture.Height(),
                bits.bits(), bits.info(), DIB_RGB_COLORS, SRCCOPY);
}

void GdiCanvas::StretchDraw(const PixelRect& box, const Metafile& picture) {
  HENHMETAFILE emf = MakeEnhancedMetafile(picture);
  if (!emf) return;
  RECT r{box.left, box.top, box.right, box.bottom};
  PlayEnhMetaFile(dc_, emf, &r);
  DeleteEnhMetaFile(emf);
}

bool GdiCanvas::TransferBits(const PixelRect& box, const Bitmap& picture, bool andCombine) {
  if (picture.Empty()) return false;
  const BottomUp bits(picture);
  StretchMode mode(dc_);
  return Succeeded(StretchDIBits(dc_, box.left, box.top, box.Width(), box.Height(), 0, 0, picture.Width(),
                                 picture.Height(), bits.bytes.data(), &bits.info, DIB_RGB_COLORS,
                                 andCombine ? SRCAND : SRCCOPY));
}

Bitmap GdiCanvas::CopyArea(const PixelRect& area) {
  const int w = area.Width(), h = area.Height();
  if (w <= 0 || h <= 0 || !PictureSizeAcceptable(w, h)) return {};
  Bitmap out(w, h);
  FillWhite(out);
  // Printers and metafiles cannot be read back: their area stays white.
  PixelRect source = area;
  if (GetObjectType(dc_) == OBJ_MEMDC) {
    const SIZE size = SelectedBitmapSize(dc_);
    source = {std::max(area.left, 0), std::max(area.top, 0), std::min<int>(area.right, size.cx),
              std::min<int>(area.bottom, size.cy)};
  } else if (GetObjectType(dc_) != OBJ_DC || GetDeviceCaps(dc_, TECHNOLOGY) != DT_RASDISPLAY) {
    return out;
  }
  if (source.Width() <= 0 || source.Height() <= 0) return out;
  SourceDc target(out);
  if (!target.dc()) return out;
  if (!BitBlt(target.dc(), source.left - area.left, source.top - area.top, source.Width(), source.Height(), dc_,
              source.left, source.top, SRCCOPY))
    return out;
  GdiFlush();
  std::memcpy(out.Row(0), target.pixels(), std::size_t(out.Stride()) * std::size_t(h));
  return out;
}

bool GdiCanvas::AlphaBlend(const PixelRect& box, const Bitmap& picture, int alpha) {
  if (picture.Empty() || box.Width() <= 0 || box.Height() <= 0) return false;
  SourceDc source(picture);
  if (!source.dc()) return false;
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, BYTE(std::clamp(alpha, 0, 255)), 0};
  return sys::AlphaBlend(dc_, box.left, box.top, box.Width(), box.Height(), source.dc(), 0, 0, picture.Width(),
                      picture.Height(), blend) != FALSE;
}

int GdiCanvas::DeviceCaps(DeviceCap cap) const {
  switch (cap) {
    case DeviceCap::LogPixelsX: return GetDeviceCaps(dc_, LOGPIXELSX);
    case DeviceCap::LogPixelsY: return GetDeviceCaps(dc_, LOGPIXELSY);
    case DeviceCap::BitsPixel: return GetDeviceCaps(dc_, BITSPIXEL);
    case DeviceCap::Planes: return GetDeviceCaps(dc_, PLANES);
    case DeviceCap::NumColors: return GetDeviceCaps(dc_, NUMCOLORS);
    case DeviceCap::HorzRes: return GetDeviceCaps(dc_, HORZRES);
    case DeviceCap::VertRes: return GetDeviceCaps(dc_, VERTRES);
    case DeviceCap::PhysicalWidth: return GetDeviceCaps(dc_, PHYSICALWIDTH);
    case DeviceCap::PhysicalHeight: return GetDeviceCaps(dc_, PHYSICALHEIGHT);
    case DeviceCap::PhysicalOffsetX: return GetDeviceCaps(dc_, PHYSICALOFFSETX);
    case DeviceCap::PhysicalOffsetY: return GetDeviceCaps(dc_, PHYSICALOFFSETY);
  }
  return 0;
}

GdiBitmapCanvas::Surface::Surface(int w, int h)
    : width(w), height(h), lease(Picture24Bytes(w, h), w, h) {
  dc = CreateCompatibleDC(nullptr);
  if (dc && PictureSizeAcceptable(w, h) && w > 0 && h > 0) {
    const BITMAPINFO info = TopDown24BitInfo(w, h);
    void* pixels = nullptr;
    section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    bits = static_cast<std::uint8_t*>(pixels);
  }
  if (!section) {
    if (dc) DeleteDC(dc);
    throw std::runtime_error("Cannot make a drawing bitmap");
  }
  oldBitmap = SelectObject(dc, section);
  const std::size_t stride = (std::size_t(w) * 3 + 3) & ~std::size_t(3);
  std::memset(bits, 0xFF, stride * std::size_t(h));
}

GdiBitmapCanvas::Surface::~Surface() {
  SelectObject(dc, oldBitmap);
  DeleteObject(section);
  DeleteDC(dc);
}

GdiBitmapCanvas::GdiBitmapCanvas(int width, int height)
    : ForwardingCanvas(gdi_), surface_(width, height), gdi_(surface_.dc) {}

GdiBitmapCanvas::GdiBitmapCanvas(const Bitmap& initial)
    : ForwardingCanvas(gdi_), surface_(initial.Width(), initial.Height()), gdi_(surface_.dc) {
  Bits24 bits(initial);
  std::memcpy(surface_.bits, bits.bits(), std::size_t(bits.bitmap().Stride()) * std::size_t(initial.Height()));
}

GdiBitmapCanvas::~GdiBitmapCanvas() = default;

const Bitmap& GdiBitmapCanvas::Pixels() {
  GdiFlush();
  pixels_.SetSize(surface_.width, surface_.height);
  std::memcpy(pixels_.Row(0), surface_.bits, std::size_t(pixels_.Stride()) * std::size_t(surface_.height));
  return pixels_;
}

std::unique_ptr<BitmapCanvas> MakeGdiBitmapCanvas(const Bitmap& initial) {
  return std::make_unique<GdiBitmapCanvas>(initial);
}

}  // namespace vemra
