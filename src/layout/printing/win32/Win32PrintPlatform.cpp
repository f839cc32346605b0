#include "base/win32/Win32Windows.h"
#include "layout/printing/win32/Win32PrintPlatform.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "base/Cp1252.h"
#include "base/win32/Win32Platform.h"
#include "imaging/win32/MessageBoxes.h"
#include "layout/render/win32/GdiCanvas.h"
#include "layout/printing/win32/PreviewWindow.h"
#include "layout/printing/win32/ProgressWindow.h"

namespace vemra {
namespace {

int GdiIndexOf(DeviceCap cap) {
  switch (cap) {
    case DeviceCap::LogPixelsX: return LOGPIXELSX;
    case DeviceCap::LogPixelsY: return LOGPIXELSY;
    case DeviceCap::BitsPixel: return BITSPIXEL;
    case DeviceCap::Planes: return PLANES;
    case DeviceCap::NumColors: return NUMCOLORS;
    case DeviceCap::HorzRes: return HORZRES;
    case DeviceCap::VertRes: return VERTRES;
    case DeviceCap::PhysicalWidth: return PHYSICALWIDTH;
    case DeviceCap::PhysicalHeight: return PHYSICALHEIGHT;
    case DeviceCap::PhysicalOffsetX: return PHYSICALOFFSETX;
    case DeviceCap::PhysicalOffsetY: return PHYSICALOFFSETY;
  }
  return -1;
}

constexpr int kCapCount = int(DeviceCap::PhysicalOffsetY) + 1;

// A started winspool document. The canvas goes before the device context
// so that it can put back what it selected.
class GdiPrinterDocument final : public PrinterDocument {
 public:
  GdiPrinterDocument(HDC dc, const std::string& title) : dc_(dc) {
    const std::wstring name = Wide(title);
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = name.c_str();
    if (StartDocW(dc_, &info) <= 0) {
      DeleteDC(dc_);
      throw std::runtime_error("the printer did not start the document \"" + title + "\"");
    }
    if (StartPage(dc_) <= 0) {
      ::AbortDoc(dc_);
      DeleteDC(dc_);
      throw std::runtime_error("the printer did not start a page");
    }
    canvas_ = std::make_unique<GdiCanvas>(dc_);
  }
  ~GdiPrinterDocument() override {
    if (dc_) Abort();
  }

  Canvas& Page() override { return *canvas_; }

  void NewPage() override {
    if (EndPage(dc_) <= 0 || StartPage(dc_) <= 0)
      throw std::runtime_error("the printer did not start a new page");
  }

  void End() override {
    canvas_.reset();
    const bool ended = EndPage(dc_) > 0 && EndDoc(dc_) > 0;
    if (!ended) ::AbortDoc(dc_);
    DeleteDC(dc_);
    dc_ = nullptr;
    if (!ended) throw std::runtime_error("the printer did not take the document");
  }

  void Abort() override {
    canvas_.reset();
    ::AbortDoc(dc_);
    DeleteDC(dc_);
    dc_ = nullptr;
  }

 private:
  HDC dc_;
  std::unique_ptr<GdiCanvas> canvas_;
};

// A white top-down 24-bit DIB section in a memory device context.
class DibSurface final : public PictureSurface {
 public:
  DibSurface(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info = TopDown24BitInfo(width, height);
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_) section_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (!section_ || !bits_) {
      Release();
      throw std::runtime_error("no room for a preview picture of " + std::to_string(width) +
                               " x " + std::to_string(height));
    }
    std::memset(bits_, 0xFF, Stride() * std::size_t(height));
    old_ = SelectObject(dc_, section_);
    canvas_ = std::make_unique<GdiCanvas>(dc_);
  }
  ~DibSurface() override { Release(); }

  Canvas& Output() override { return *canvas_; }

  Bitmap Picture() override {
    GdiFlush();
    Bitmap picture(width_, height_);
    const auto* rows = static_cast<const std::uint8_t*>(bits_);
    for (int y = 0; y < height_; ++y)
      std::memcpy(picture.Row(y), rows + Stride() * std::size_t(y), std::size_t(width_) * 3);
    return picture;
  }

 private:
  std::size_t Stride() const { return (std::size_t(width_) * 3 + 3) & ~std::size_t(3); }
  void Release() {
    canvas_.reset();
    if (old_) SelectObject(dc_, old_);
    if (section_) DeleteObject(section_);
    if (dc_) DeleteDC(dc_);
    old_ = nullptr, section_ = nullptr, dc_ = nullptr;
  }

  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP section_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
  std::unique_ptr<GdiCanvas> canvas_;
};

}  // namespace

DeviceCapsReader ReadDeviceCaps(HDC dc) {
  std::array<int, kCapCount> values{};
  if (dc)
    for (int i = 0; i < kCapCount; ++i) values[i] = GetDeviceCaps(dc, GdiIndexOf(DeviceCap(i)));
  return [values](DeviceCap cap) { return values[std::size_t(cap)]; };
}

Win32PrintPlatform::Win32PrintPlatform(WinspoolPrinters& printers, FileSystem& files,
                                       const RegionalFormats& regional, PrintWindows windows)
    : printers_(printers), files_(files), regional_(regional), windows_(std::move(windows)) {}

void Win32PrintPlatform::SetOrientation(PageOrientation orientation) {
  printers_.SetOrientation(orientation);
}

std::unique_ptr<PrinterDocument> Win32PrintPlatform::BeginDocument(const std::string& title) {
  HDC dc = printers_.CreatePrinterDc();
  if (!dc)
    throw std::runtime_error("no device context for the printer \"" +
                             printers_.CurrentPrinterName() + "\"");
  return std::make_unique<GdiPrinterDocument>(dc, title);
}

DeviceCapsReader Win32PrintPlatform::PrinterCaps() {
  HDC ic = printers_.CreatePrinterDc(true);
  DeviceCapsReader caps = ReadDeviceCaps(ic);
  if (ic) DeleteDC(ic);
  return caps;
}

std::unique_ptr<PictureSurface> Win32PrintPlatform::MakePictureSurface(int width, int height) {
  return std::make_unique<DibSurface>(width, height);
}

std::string Win32PrintPlatform::ModificationTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return "";
  FILETIME local;
  SYSTEMTIME t;
  if (!FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &t))
    return "";
  // Milliseconds too: a layout rewritten within the same second is read again.
  char text[40];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u", t.wYear, t.wMonth,
                t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
  return text;
}

void Win32PrintPlatform::ProcessMessages() {
  if (pump_.Due()) PumpPendingMessages();
}

void Win32PrintPlatform::ShowInformation(const std::string& text) {
  if (windows_.showInformation) return windows_.showInformation(text);
  ShowInfoMessage(Utf8(text));
}

void Win32PrintPlatform::ShowError(const std::string& text) {
  if (windows_.showError) return windows_.showError(text);
  ShowErrorMessage(Utf8(text));
}

void Win32PrintPlatform::ShowProgress(const std::string& title, int maximum) {
  if (windows_.showProgress) return windows_.showProgress(title, maximum);
  ::vemra::ShowProgress(Utf8(title), maximum);
}

void Win32PrintPlatform::CloseProgress() {
  if (windows_.closeProgress) return windows_.closeProgress();
  ::vemra::CloseProgress();
}

void Win32PrintPlatform::ShowPreview(const Bitmap& picture) {
  if (windows_.showPreview) return windows_.showPreview(picture);
  ::vemra::ShowPreview(picture, false, false);
}

}  // namespace vemra
