#pragma once
// A Canon or Canon PR plug-in library, loaded by full path from the
// plug-in folder with its own redistributable folder put on PATH first.
#include <windows.h>

#include <string>

#include "capture/plugins/CanonCamera.h"
#include "capture/plugins/PluginNames.h"
#include "capture/win32/plugins/RegisterCall.h"

namespace vemra {

class CanonPluginLibrary final : public CanonLibrary {
 public:
  // folder: where the library lies, with a trailing "\".
  CanonPluginLibrary(const CanonPluginNames& names, std::string folder);
  CanonPluginLibrary(const CanonPluginLibrary&) = delete;
  CanonPluginLibrary& operator=(const CanonPluginLibrary&) = delete;

  int Load() override;
  std::string ConnectInit(const std::string& settingsFile) override;
  std::string GetImage(bool automatic) override;

 private:
  int TryLoad();

  const CanonPluginNames& names_;
  std::string folder_;
  // Never freed: the camera stays connected until the process ends.
  HMODULE module_ = nullptr;
  CanonConnectEntry connect_ = nullptr;
  CanonAnswerEntry getImage_ = nullptr, getImageAuto_ = nullptr;
};

}  // namespace vemra
