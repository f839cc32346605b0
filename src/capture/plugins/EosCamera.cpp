#include "capture/plugins/EosCamera.h"

#include "base/KeyValueList.h"

namespace vemra {

EosCamera::EosCamera(EosLibrary& library, EosOptions options, Inform inform)
    : library_(library), options_(std::move(options)), inform_(std::move(inform)) {}

bool EosCamera::GetImage(bool quiet, std::string& answer) {
  lastError_.clear();
  answer.clear();
  bool ok = (loaded_ || Load()) && Call(kEosGetImage, answer, "GetImage");
  if (!ok) answer.clear();
  if (ok && options_.handleSettings &&
      KeyValueList::Parse(answer).Value("SettingsChanged") == "1") {
    std::string settings;
    // A failed fetch keeps the settings we had; the picture is still good.
    if (Call(kEosGetSettings, settings, "GetSettings")) options_.settings = settings;
    lastError_.clear();
  }
  if (!ok && !quiet && inform_) inform_(lastError_);
  return ok;
}

bool EosCamera::Load() {
  if (!library_.Load(options_.libraryPath)) {
    lastError_ = "Failed to load " + options_.libraryPath;
    return false;
  }
  // From here on the library stays loaded, even when it refuses what follows.
  loaded_ = true;
  if (options_.handleSettings) {
    std::string settings = options_.settings;
    if (!Call(kEosSetSettings, settings, "SetSettings")) return false;
  }
  if (!options_.rights.empty()) {
    std::string rights = options_.rights;
    if (!Call(kEosSetRights, rights, "SetRights")) return false;
  }
  return true;
}

bool EosCamera::Call(int function, std::string& params, const char* what) {
  const int result = library_.Params(function, params);
  if (result == kEosOk) return true;
  lastError_ = result == kEosFailedWithText
                   ? params
                   : std::string(what) + " - Unknown Error: " + params;
  return false;
}

}  // namespace vemra
