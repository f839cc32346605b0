#include "capture/plugins/CanonCamera.h"

#include "capture/plugins/PluginAnswers.h"

namespace vemra {

CanonCamera::CanonCamera(CanonLibrary& library, std::string settingsFile)
    : library_(library), settingsFile_(std::move(settingsFile)) {}

std::string CanonCamera::GetImage(bool automatic) {
  if (!connected_ && !Connect()) return "";
  return library_.GetImage(automatic);
}

bool CanonCamera::Connect() {
  if (!loaded_) {
    if (library_.Load() != kCanonLoaded) return false;
    loaded_ = true;
  }
  const std::string answer = library_.ConnectInit(settingsFile_);
  if (IsConnectError(answer)) {
    lastError_ = answer;
    return false;
  }
  connected_ = true;
  if (!answer.empty()) cameraName_ = answer;
  return true;
}

}  // namespace vemra
