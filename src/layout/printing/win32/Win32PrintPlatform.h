#pragma once
// The print job's platform on Windows: winspool documents drawn through
// GdiCanvas, a DIB section for the preview, the A file functions and the
// library's windows.
#include <functional>
#include <string>

#include "base/RegionalFormats.h"
#include "base/Throttle.h"
#include "layout/printing/PrintPlatform.h"
#include "layout/printing/win32/WinspoolPrinters.h"

namespace vemra {

// The windows the job shows. Unset entries fall back to TdlgProgress,
// TdlgPreview and information and error message boxes.
struct PrintWindows {
  std::function<void(const std::string& title, int maximum)> showProgress;
  std::function<void()> closeProgress;
  std::function<void(const Bitmap& picture)> showPreview;
  std::function<void(const std::string& text)> showInformation;
  std::function<void(const std::string& text)> showError;
};

class Win32PrintPlatform final : public PrintPlatform {
 public:
  Win32PrintPlatform(WinspoolPrinters& printers, FileSystem& files,
                     const RegionalFormats& regional, PrintWindows windows = {});

  PrinterService& Printers() override { return printers_; }
  FileSystem& Files() override { return files_; }
  void SetOrientation(PageOrientation orientation) override;
  std::unique_ptr<PrinterDocument> BeginDocument(const std::string& title) override;
  DeviceCapsReader PrinterCaps() override;
  std::unique_ptr<PictureSurface> MakePictureSurface(int width, int height) override;

  std::string ModificationTime(const std::string& path) override;
  char DecimalSeparator() override { return regional_.DecimalSeparator(); }

  void ProcessMessages() override;
  void ShowInformation(const std::string& text) override;
  void ShowError(const std::string& text) override;
  void ShowProgress(const std::string& title, int maximum) override;
  void CloseProgress() override;
  void ShowPreview(const Bitmap& picture) override;

 private:
  WinspoolPrinters& printers_;
  FileSystem& files_;
  const RegionalFormats& regional_;
  PrintWindows windows_;
  // Asked for at every record: pumping each time made a long hostile
  // layout hold the host for minutes. 50 ms keeps windows as lively.
  Throttle pump_{50, [] { return std::uint32_t(GetTickCount()); }};
};

// The device capabilities of a device context, read once.
DeviceCapsReader ReadDeviceCaps(HDC dc);

}  // namespace vemra
