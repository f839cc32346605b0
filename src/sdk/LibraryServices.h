#pragma once
// The platform as the library state uses it: the DLL binds Windows, tests
// bind fakes.
#include <functional>
#include <string>

#include "base/FileSystem.h"
#include "base/RegionalFormats.h"
#include "capture/CaptureToFile.h"
#include "layout/PrinterService.h"
#include "sdk/ProfileFile.h"

namespace vemra {

struct LibraryServices {
  FileSystem* files = nullptr;
  ProfileFileOpener openProfile;
  RegionalFormats* regional = nullptr;
  PrinterService* printers = nullptr;
  CaptureService* capture = nullptr;
  // Folder of the host program's executable, with a trailing "\".
  std::function<std::string()> hostFolder;
  // Local time stamp for the log ("2026-12-08 20:15:03").
  std::function<std::string()> now;
};

}  // namespace vemra
