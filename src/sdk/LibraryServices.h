#pragma once
// The platform as the library state uses it: the DLL binds Windows, tests
// bind fakes.
#include <functional>
#include <string>

#include "base/Clock.h"
#include "base/FileSystem.h"
#include "base/RegionalFormats.h"
#include "capture/CaptureToFile.h"
#include "layout/printing/PrinterService.h"
#include "imaging/Picture.h"
#include "sdk/PrintRequest.h"
#include "sdk/ProfileFile.h"
#include "sdk/settingsdialog/SettingsDialogService.h"

namespace vemra {

struct LibraryServices {
  FileSystem* files = nullptr;
  ProfileFileOpener openProfile;
  RegionalFormats* regional = nullptr;
  PrinterService* printers = nullptr;
  CaptureService* capture = nullptr;
  SettingsDialogService* settingsDialog = nullptr;
  // "Välj scanner" in the settings dialog: the scanner source chooser,
  // leaving the scanner connection as it found it.
  std::function<void()> selectScannerSource;
  // Folder of the host program's executable, with a trailing "\".
  std::function<std::string()> hostFolder;
  const Clock* clock = nullptr;
  // Local time stamp for the log ("2026-12-08 20:15:03").
  std::function<std::string()> now;
  // LoadPictureToImage: false leaves the holder as it was and says why.
  PictureLoader loadPicture;
  std::function<void(const PrintLayoutRequest&)> printLayout;
  // A system-modal information box with the caption "String".
  std::function<void(const std::string&)> showSystemMessage;
};

}  // namespace vemra
