#include "layout/barcodes/win32/PlesseyPluginLoader.h"

#include <windows.h>

#include <string>

#include "base/win32/PluginSupport.h"
#include "base/win32/Win32Platform.h"

namespace vemra {
namespace {

using PlesseyCrcEntry = void(__stdcall*)(const unsigned char* input, unsigned char* output);

}  // namespace

PlesseyPluginLoader::PlesseyPluginLoader(std::string hostFolder)
    : hostFolder_(std::move(hostFolder)) {
  if (!hostFolder_.empty() && hostFolder_.back() != '\\') hostFolder_ += '\\';
}

PlesseyPluginLoader::~PlesseyPluginLoader() {
  // The process-wide instance is never destroyed (see ProcessPlugin).
  if (module_) FreeLibrary(static_cast<HMODULE>(module_));
}

int PlesseyPluginLoader::Load() {
  if (!tried_) {
    tried_ = true;
    try {
      outcome_ = TryLoad();
    } catch (...) {
      outcome_ = kPlesseyUnexpectedError;
    }
  }
  return outcome_;
}

int PlesseyPluginLoader::TryLoad() {
  // Without the host's folder, "plugin\" would be looked up in the current
  // folder, where anyone may have put a library.
  if (hostFolder_.empty()) return kPlesseyUnexpectedError;
  const std::string folder = hostFolder_ + kPlesseyPluginFolder;
  const std::string plugin = folder + kPlesseyPluginFile;
  if (!IsFile(plugin)) return kPlesseyPluginMissing;
  if (!IsFile(folder + kPlesseyRedistFile)) return kPlesseyRedistMissing;

  std::string unused;
  if (!ReadEnvironment("PATH", unused)) return kPlesseyPathNotSet;
  std::string searchFolder = ShortPath(folder);
  if (searchFolder.size() > 3 && searchFolder.back() == '\\') searchFolder.pop_back();
  if (!PrependToPath(searchFolder)) return kPlesseyUnexpectedError;

  HMODULE module = LoadLibraryByPath(plugin);
  if (!module) return kPlesseyNotLoadable;
  FARPROC entry = GetProcAddress(module, kPlesseyEntry);
  if (!entry) {
    FreeLibrary(module);
    return kPlesseyNotLoadable;
  }
  module_ = module;
  entry_ = reinterpret_cast<void*>(entry);
  return kPlesseyLoaded;
}

std::string PlesseyPluginLoader::CheckChars(std::string_view text) {
  if (Load() != kPlesseyLoaded) return "";
  const PlesseyShortString input = ToShortString(text);
  PlesseyShortString output{};  // preset to the empty string
  reinterpret_cast<PlesseyCrcEntry>(entry_)(input.data(), output.data());
  return FromShortString(output);
}

namespace {

PlesseyPluginLoader& ProcessPlugin() {
  // Never destroyed: unloading at process exit could run after the plug-in
  // itself was torn down.
  static auto* plugin = new PlesseyPluginLoader(HostFolder());
  return *plugin;
}

}  // namespace

int PlesseyLoadOutcome() { return ProcessPlugin().Load(); }

std::string PlesseyCheckChars(std::string_view text) { return ProcessPlugin().CheckChars(text); }

}  // namespace vemra
