#include "capture/win32/plugins/CanonPluginLibrary.h"

#include "base/ShortString.h"
#include "base/win32/PluginSupport.h"

namespace vemra {

CanonPluginLibrary::CanonPluginLibrary(const CanonPluginNames& names, std::string folder)
    : names_(names), folder_(std::move(folder)) {}

int CanonPluginLibrary::Load() {
  try {
    return TryLoad();
  } catch (...) {
    return kCanonLoadFailed;
  }
}

int CanonPluginLibrary::TryLoad() {
  // Before every attempt, as the plug-in's own libraries are found there.
  PrependToPath(ShortPath(folder_ + names_.redistFolder));
  if (module_) return kCanonLoadedBefore;
  // Without a folder the name alone would be searched for, current
  // folder included, where anyone may have put a library.
  if (folder_.empty()) return kCanonMissing;
  module_ = LoadLibraryByPath(folder_ + names_.library);
  if (!module_) return kCanonMissing;
  for (const char* name : names_.resolvedOnly)
    if (name && !GetProcAddress(module_, name)) return kCanonLoadFailed;
  if (names_.optional) GetProcAddress(module_, names_.optional);
  connect_ = EntryPoint<CanonConnectEntry>(module_, names_.connectInit);
  getImage_ = EntryPoint<CanonAnswerEntry>(module_, names_.getImage);
  if (names_.getImageAuto)
    getImageAuto_ = EntryPoint<CanonAnswerEntry>(module_, names_.getImageAuto);
  if (!connect_ || !getImage_ || (names_.getImageAuto && !getImageAuto_)) return kCanonLoadFailed;
  return kCanonLoaded;
}

std::string CanonPluginLibrary::ConnectInit(const std::string& settingsFile) {
  const ShortString settings = ToShortString(settingsFile);
  ShortString answer{};
  connect_(settings.data(), answer.data());
  return FromShortString(answer);
}

std::string CanonPluginLibrary::GetImage(bool automatic) {
  ShortString answer{};
  (automatic && getImageAuto_ ? getImageAuto_ : getImage_)(answer.data());
  return FromShortString(answer);
}

}  // namespace vemra
