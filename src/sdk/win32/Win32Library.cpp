#include "sdk/win32/Win32Library.h"

#include <windows.h>

#include "base/Cp1252.h"
#include "base/win32/Win32Platform.h"
#include "capture/win32/twain/Scanner.h"
#include "capture/win32/twain/SourceManagerLibrary.h"
#include "imaging/LynImageEx.h"
#include "layout/printing/win32/Win32PrintJob.h"
#include "layout/printing/win32/WinspoolPrinters.h"
#include "sdk/win32/CaptureBinding.h"
#include "sdk/win32/PrivateProfileFile.h"
#include "sdk/win32/settingsdialog/SettingsDialog.h"

namespace vemra {
namespace {

void ShowSystemMessage(const std::string& text) {
  MessageBoxW(nullptr, Wide(text).c_str(), L"String",
              MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL);
}

struct Win32Bindings {
  std::unique_ptr<FileSystem> files = MakeWin32FileSystem();
  std::unique_ptr<RegionalFormats> regional = MakeUserRegionalFormats();
  std::unique_ptr<WinspoolPrinters> printers = MakeWinspoolPrinters();
  std::unique_ptr<CaptureService> capture = MakeWin32CaptureService();
  std::unique_ptr<SettingsDialogService> settingsDialog = MakeWin32SettingsDialog();
  SystemClock clock;
  // Made at the first print request: it keeps the loaded layouts and
  // their pictures for the requests after it.
  std::unique_ptr<Win32PrintJob> printing;

  void PrintCard(const PrintLayoutRequest& r) {
    if (!printing) {
      Library& library = TheLibrary();
      printing = std::make_unique<Win32PrintJob>(
          *printers, *files, *regional,
          CardValues{library.Fields(), &library.PhotoImage(), &library.SignatureImage(),
                     HostFolder()});
    }
    printing->PrintLayout(r.layout, r.outputKind, r.orientation, r.topOffset, r.leftOffset,
                          r.scale);
  }

  // The manager's own "Select Source" dialog; a machine without the
  // manager is told so, as a cancelled choice needs no words.
  static void ChooseScanner() {
    if (SelectScannerSource()) return;
    if (!SourceManagerInstalled()) ShowNoScannerManager();
  }

  LibraryServices Services() {
    LibraryServices s;
    s.files = files.get();
    s.openProfile = OpenPrivateProfileFile;
    s.regional = regional.get();
    s.printers = printers.get();
    s.capture = capture.get();
    s.settingsDialog = settingsDialog.get();
    s.selectScannerSource = ChooseScanner;
    s.hostFolder = HostFolder;
    s.now = LocalTimeStamp;
    s.clock = &clock;
    s.loadPicture = [](Picture& holder, const std::string& path, std::string* why) {
      return LoadPictureToImage(holder, path, {}, why);
    };
    s.printLayout = [this](const PrintLayoutRequest& r) { PrintCard(r); };
    s.showSystemMessage = ShowSystemMessage;
    return s;
  }
};

}  // namespace

Library& TheLibrary() {
  static Win32Bindings bindings;
  static Library library(bindings.Services());
  return library;
}

void LogExportFailure(const char* exportName, const std::string& cause) noexcept {
  try {
    TheLibrary().Log(std::string(exportName) + ": " + cause);
  } catch (...) {
    // Nowhere left to report to; the result code still tells the host.
  }
}

}  // namespace vemra
