#pragma once
// Small stand-ins for the platform, shared by the library-state tests.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/FileSystem.h"
#include "base/RegionalFormats.h"
#include "capture/CaptureToFile.h"
#include "layout/printing/PrinterService.h"
#include "sdk/LibraryServices.h"

namespace vemra::test {

class FakePrinters : public PrinterService {
 public:
  std::vector<std::string> installed{"Kortskrivare", "CardPDF"};
  std::string current = "Kortskrivare";
  std::vector<std::string> ListPrinterNames() const override { return installed; }
  std::string CurrentPrinterName() const override { return current; }
  bool SelectPrinter(const std::string& name) override {
    for (const auto& p : installed)
      if (p == name) return current = name, true;
    return false;
  }
};

// Plays back what the user does in the capture dialog, one answer per call.
class ScriptedCapture : public CaptureService {
 public:
  struct Step {
    bool stored;
    bool writeFile = true;  // create the requested file when stored
    bool throwsNonStandard = false;  // leaves with an exception not of std::exception
  };
  std::vector<Step> script;
  std::vector<CaptureRequest> requests;
  int dialogsCreated = 0, dialogsFreed = 0, shutdowns = 0;
  std::function<void(CaptureDialogSettings&)> changeSettings;
  std::function<void()> whileCapturing;  // the dialog's message loop, as it were

  std::unique_ptr<CaptureDialog> OpenDialog(CaptureDialogSettings& settings) override {
    ++dialogsCreated;
    if (changeSettings) changeSettings(settings);
    return std::make_unique<Dialog>(*this);
  }
  void ShutDownScanner() override { ++shutdowns; }

 private:
  class Dialog : public CaptureDialog {
   public:
    explicit Dialog(ScriptedCapture& owner) : owner_(owner) {}
    ~Dialog() override { ++owner_.dialogsFreed; }
    bool CaptureToFile(const CaptureRequest& request) override;

   private:
    ScriptedCapture& owner_;
  };
};

// Plays the user: edits the model as given, then confirms or cancels.
class ScriptedSettingsDialog : public SettingsDialogService {
 public:
  std::function<void(SettingsDialogModel&)> edit;
  bool confirm = true;
  int shown = 0;
  std::vector<std::string> failures;
  std::function<void()> whileOpen;

  bool ShowSettingsDialog(SettingsDialogModel& m, const SettingsDialogHooks&) override {
    ++shown;
    if (whileOpen) whileOpen();
    if (edit) edit(m);
    return confirm;
  }
  void ShowSaveFailure(const std::string& message) override { failures.push_back(message); }
};

// A temporary data folder; paths given to the library use "\".
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::string& Path() const { return path_; }  // ends with "/"
  std::string Windows() const;                       // same folder, "\" style
  void Write(const std::string& relative, const std::string& content) const;
  std::string Read(const std::string& relative) const;

 private:
  std::string path_;
};

struct FakePlatform {
  std::unique_ptr<FileSystem> files = MakePortableFileSystem();
  SwedishFormats regional;
  FakePrinters printers;
  ScriptedCapture capture;
  std::string hostFolder;
  FixedClock clock{DateTime{2026, 12, 8, 14, 30, 0}};
  std::vector<PrintLayoutRequest> printed;
  std::function<void()> whilePrinting;  // the print job letting messages run
  std::vector<std::string> messages;
  std::vector<std::string> picturesLoaded;

  LibraryServices Services();
};

}  // namespace vemra::test
