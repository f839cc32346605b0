#include "sdk/LibraryState.h"

#include <exception>

#include "base/Cp1252.h"
#include "base/ScopeExit.h"
#include "imaging/PictureBudget.h"
#include "sdk/PictureStoreNames.h"

namespace vemra {

Library::Library(LibraryServices services)
    : services_(std::move(services)), ini_(services_.openProfile), settings_(DefaultSettings()) {
  SetPictureBudgetReport([this](const std::string& message) { Log(message); });
}

Library::~Library() { SetPictureBudgetReport(nullptr); }

void Library::EnsureInitialised() {
  if (!initialised_) Initialise("");
}

int Library::VmInit(const std::string& folder) {
  // A new data folder and settings under a running capture, print job or
  // settings dialog would split its work between two folders.
  if (runningCall_) return Refuse("VmInit", 1);
  return Initialise(folder);
}

int Library::Initialise(const std::string& folder) {
  initialised_ = true;
  dataFolder_ = WithTrailingBackslash(folder.empty() ? services_.hostFolder() : folder);
  if (!services_.files->FolderExists(dataFolder_) && !services_.files->CreateFolders(dataFolder_))
    return 1;
  auto report = [this](const std::string& m) { LogOnce(m); };
  municipality_ = LoadMunicipalityDetails(ini_, dataFolder_, report);
  LoadSettings(ini_, MakeSettingsContext(), settings_);
  return 0;
}

SettingsContext Library::MakeSettingsContext() const {
  SettingsContext context;
  context.dataFolder = dataFolder_;
  context.currentPrinter = services_.printers->CurrentPrinterName();
  context.logoDefault = LogoSearch();
  context.decimalSeparator = services_.regional->DecimalSeparator();
  context.report = [this](const std::string& m) {
    LogOnce(Ansi("ogiltigt decimaltal i inställningarna, standardvärdet används: ") + m);
  };
  return context;
}

std::string Library::LogoSearch() const {
  for (const char* extension : {"*.jpg", "*.bmp"}) {
    auto names = services_.files->ListFiles(dataFolder_, municipality_.code + extension);
    if (!names.empty()) return dataFolder_ + names.front();
  }
  return "";
}

std::string Library::PicturePath(const std::string& id, const std::string& suffix) {
  EnsureInitialised();
  return dataFolder_ + "Image\\" + suffix + id + ".jpg";
}

bool Library::UsablePictureId(const std::string& id) const {
  if (IsPictureStoreName(id)) return true;
  Log(Ansi("bild-id som inte är ett filnamn i Image avvisas: \"") + id + "\"");
  return false;
}

int Library::VmPhotoSignatureExists(const std::string& id) {
  EnsureInitialised();
  if (!UsablePictureId(id)) return 3;
  bool photo = services_.files->FileExists(PicturePath(id, ""));
  bool signature = services_.files->FileExists(PicturePath(id, "s"));
  if (photo && signature) return 0;
  if (photo) return 1;
  if (signature) return 2;
  return 3;
}

namespace {

// What VmScanImage answers when it stores nothing: 2 for the three
// requests it knows, 1 for any other.
int NothingStored(std::uint8_t request) { return request >= 1 && request <= 3 ? 2 : 1; }

}  // namespace

int Library::Refuse(const char* name, int result) const {
  Log(std::string(name) + Ansi(" avvisas: ") + runningCall_ + Ansi(" pågår redan"));
  return result;
}

int Library::VmScanImage(std::uint8_t kind, const std::string& id) {
  const std::uint8_t request = std::uint8_t(kind + 1);
  ExclusiveCall call(runningCall_, "VmScanImage");
  if (call.Refused()) return Refuse(call.Name(), NothingStored(request));
  EnsureInitialised();
  if (!UsablePictureId(id)) return NothingStored(request);
  const Settings& s = settings_;
  const bool split = request == 1 && s.split && s.photoMethod == s.signMethod;
  bool photoStored = false, signatureStored = false;

  CaptureDialogSettings dialogSettings{s.inspectionBox, false, s.adjustMode, false};
  {
    // Whatever leaves the captures, the scanner closes and what the dialog
    // changed is written back; both catch their own failures.
    ScopeExit saveSettings([&] { SaveCaptureSettings(dialogSettings); });
    ScopeExit closeScanner([&] { ShutDownScanner(); });
    std::unique_ptr<CaptureDialog> dialog = services_.capture->OpenDialog(dialogSettings);
    if (request == 1 || request == 2) {
      photoStored = Capture(*dialog, {s.photoMethod, kPhoto, s.photoQuality,
                                      split ? s.splitPosition : 0, s.splitVertical,
                                      PicturePath(id, ""), "Importera Foto", request == 1,
                                      s.twainUI});
    }
    if ((request == 1 || request == 3) && s.signMethod != kNoSignature) {
      signatureStored = Capture(*dialog, {s.signMethod, kSignature, s.signQuality,
                                          split ? 100 : 0, s.splitVertical,
                                          PicturePath(id, "s"), "Importera Signatur", false,
                                          s.twainUI});
    }
  }

  switch (request) {
    case 1:
      if (photoStored) return signatureStored ? 0 : 4;
      return signatureStored ? 3 : 2;
    case 2: return photoStored ? 0 : 2;
    case 3: return signatureStored ? 0 : 2;
    default: return 1;
  }
}

// A capture that fails unexpectedly stores nothing; the request goes on
// with the other picture.
bool Library::Capture(CaptureDialog& dialog, const CaptureRequest& request) {
  try {
    return dialog.CaptureToFile(request);
  } catch (const std::exception& e) {
    Log("bildinsamlingen misslyckades: " + std::string(e.what()));
  } catch (...) {
    Log(Ansi("bildinsamlingen misslyckades av okänd orsak"));
  }
  return false;
}

void Library::ShutDownScanner() {
  try {
    services_.capture->ShutDownScanner();
  } catch (...) {
    // Nothing the host could do about a scanner that will not close.
  }
}

void Library::SaveCaptureSettings(const CaptureDialogSettings& changes) {
  if (!changes.inspectionBoxChanged && !changes.adjustModeChanged) return;
  settings_.inspectionBox = changes.inspectionBox;
  settings_.adjustMode = changes.adjustMode;
  try {
    SaveCaptureDialogSettings(ini_, dataFolder_, settings_);
  } catch (const std::exception& e) {
    Log(Ansi("kunde inte spara bildinsamlingens inställningar: ") + e.what());
  } catch (...) {
    Log(Ansi("kunde inte spara bildinsamlingens inställningar"));
  }
}

int Library::VmSettings() {
  ExclusiveCall call(runningCall_, "VmSettings");
  if (call.Refused()) return Refuse(call.Name(), kSettingsNotSaved);
  EnsureInitialised();
  if (!services_.settingsDialog) return kSettingsNotSaved;

  const char separator = services_.regional->DecimalSeparator();
  SettingsDialogModel model =
      OpenSettingsDialog(settings_, services_.printers->ListPrinterNames(), separator);
  SettingsDialogHooks hooks;
  hooks.decimalSeparator = separator;
  hooks.fileExists = [this](const std::string& path) { return services_.files->FileExists(path); };
  hooks.loadPicture = [this](Picture& holder, const std::string& path) {
    return services_.loadPicture(holder, path, nullptr);
  };
  hooks.selectScannerSource = services_.selectScannerSource;
  if (!services_.settingsDialog->ShowSettingsDialog(model, hooks)) return kSettingsNotSaved;
  return ConfirmAndSaveSettings(model) ? kSettingsSaved : kSettingsNotSaved;
}

// A save that fails leaves the settings in memory and the current printer
// as they were, so that 1 means "nothing changed" to the host.
bool Library::ConfirmAndSaveSettings(const SettingsDialogModel& model) {
  const Settings before = settings_;
  const std::string printerBefore = services_.printers->CurrentPrinterName();
  const char separator = services_.regional->DecimalSeparator();
  try {
    ConfirmSettings(model, settings_, *services_.printers, separator);
    SaveSettings(ini_, MakeSettingsContext(), settings_);
    return true;
  } catch (const std::exception& e) {
    Log(Ansi("inställningarna kunde inte sparas: ") + e.what());
  }
  settings_ = before;
  try {
    if (!printerBefore.empty() && services_.printers->CurrentPrinterName() != printerBefore)
      services_.printers->SelectPrinter(printerBefore);
  } catch (const std::exception&) {
    // The printer stays as chosen; the settings still name the old one.
  }
  services_.settingsDialog->ShowSaveFailure(
      "Inställningarna kunde inte sparas i " + Utf8(SettingsFilePath(dataFolder_)) +
      ".\n\nKontrollera att filen inte är skrivskyddad och att det finns plats på disken.");
  return false;
}

int Library::VmPrint(int mode, const PermitTexts& texts) {
  ExclusiveCall call(runningCall_, "VmPrint");
  if (call.Refused()) return Refuse(call.Name(), kPrintFailed);
  EnsureInitialised();
  // Every mode but 1 looks for the pictures; the request answers "no photo".
  if (mode != 1 && !texts.id.empty()) UsablePictureId(texts.id);
  PrintRequestContext context{settings_,          municipality_,         dataFolder_,
                              fieldList_,         photoImage_,           signatureImage_,
                              *services_.files,   *services_.printers,   *services_.regional,
                              *services_.clock,   services_.loadPicture, services_.printLayout,
                              services_.showSystemMessage,
                              [this](const std::string& m) { Log(m); }};
  return RunPrintRequest(context, mode, texts);
}

void Library::Log(const std::string& message) const {
  std::string line = (services_.now ? services_.now() : std::string()) + " " + message + "\r\n";
  for (const std::string& folder : {dataFolder_, services_.hostFolder()}) {
    if (folder.empty()) continue;
    const std::string path = folder + "VemraSDK.log";
    // The log never outgrows what support staff can open: the older half
    // of its history moves aside.
    if (services_.files->FileSize(path) + line.size() > kLogLimitBytes)
      services_.files->MoveReplacing(path, path + ".1");
    if (services_.files->AppendToFile(path, line)) return;
  }
}

void Library::LogOnce(const std::string& message) const {
  if (loggedOnce_.insert(message).second) Log(message);
}

}  // namespace vemra
