#include "capture/win32/plugins/CameraPlugins.h"

#include <windows.h>

#include "base/Cp1252.h"
#include "base/win32/Win32Platform.h"
#include "capture/plugins/PluginNames.h"
#include "capture/win32/plugins/CanonPluginLibrary.h"
#include "capture/win32/plugins/CanonPrProgram.h"
#include "capture/win32/plugins/EosPluginLibrary.h"
#include "imaging/win32/MessageBoxes.h"

namespace vemra {
namespace {

// The plug-ins' own camera settings ("Camera=...;Angle=..."). Read after
// each picture and kept for support; the turn always comes from the answer.
std::string ReadCameraSettings(const char* key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) return "";
  char value[1024];
  DWORD size = sizeof value - 1, type = 0;
  std::string settings;
  if (RegQueryValueExA(opened, kCameraSettingsValue, nullptr, &type,
                       reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
      type == REG_SZ) {
    value[size] = '\0';
    settings = value;
  }
  RegCloseKey(opened);
  return settings;
}

struct Plugins {
  // The settings file names and plug-in folder are not configurable: the
  // libraries are loaded from the host program's folder, by full path.
  std::string folder = HostFolder();
  CanonPluginLibrary canonLibrary{kCanonPlugin, folder};
  CanonCamera canon{canonLibrary};
  CanonPluginLibrary canonPrLibrary{kCanonPrPlugin, folder};
  CanonCamera canonPr{canonPrLibrary};
  EosPluginLibrary eosLibrary;
  // No settings handling and no rights: nothing in this system sets them.
  EosCamera eos{eosLibrary,
                EosOptions{folder.empty() ? "" : folder + kCanonEosLibrary, false, "", ""},
                [](const std::string& text) { ShowInfoMessage(Utf8(text)); }};
  std::string cameraSettings;
};

Plugins& ProcessPlugins() {
  // Never destroyed: unloading at process exit could run after the
  // plug-ins themselves were torn down.
  static auto* plugins = new Plugins;
  return *plugins;
}

}  // namespace

std::string CanonGetImage() {
  Plugins& p = ProcessPlugins();
  std::string answer = p.canon.GetImage();
  if (!answer.empty()) p.cameraSettings = ReadCameraSettings(kCanonRegistryKey);
  return answer;
}

std::string CanonPrGetImage(bool automatic) {
  Plugins& p = ProcessPlugins();
  std::string answer;
  if (std::optional<std::string> picture = RunCanonPrProgram(p.folder))
    answer = *picture;
  else
    answer = p.canonPr.GetImage(automatic);
  if (!answer.empty()) p.cameraSettings = ReadCameraSettings(kCanonPrRegistryKey);
  return answer;
}

bool CanonEosGetImage(bool quiet, std::string& answer) {
  return ProcessPlugins().eos.GetImage(quiet, answer);
}

}  // namespace vemra
