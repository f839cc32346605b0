#include "layout/barcodes/win32/PlesseyPluginLoader.h"

#include <windows.h>

#include <string>
#include <vector>

namespace vemra {
namespace {

using PlesseyCrcEntry = void(__stdcall*)(const unsigned char* input, unsigned char* output);

bool IsFile(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ShortPath(const std::string& path) {
  DWORD n = GetShortPathNameA(path.c_str(), nullptr, 0);
  if (n == 0) return path;
  std::string out(n, '\0');
  n = GetShortPathNameA(path.c_str(), out.data(), n);
  if (n == 0 || n >= out.size()) return path;
  out.resize(n);
  return out;
}

// The variable's whole value, however long; false when it is not set.
bool ReadEnvironment(const char* name, std::string& value) {
  SetLastError(0);
  DWORD n = GetEnvironmentVariableA(name, nullptr, 0);
  if (n == 0) {
    value.clear();
    return GetLastError() != ERROR_ENVVAR_NOT_FOUND;
  }
  // The value may change between the two calls: retry until it fits.
  for (;;) {
    value.assign(n, '\0');
    DWORD got = GetEnvironmentVariableA(name, value.data(), n);
    if (got < n) {
      value.resize(got);
      return true;
    }
    n = got;
  }
}

// Puts folder in front of PATH, keeping the whole old value: plug-ins that
// load further libraries of their own at run time find them, and the host
// keeps every entry it had.
bool PrependToPath(const std::string& folder) {
  std::string old;
  if (!ReadEnvironment("PATH", old)) return false;
  const std::string entry = folder + ";";
  if (old.compare(0, entry.size(), entry) == 0) return true;
  return SetEnvironmentVariableA("PATH", (entry + old).c_str()) != 0;
}

std::string HostExecutableFolder() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return "";
    if (n < path.size()) {
      std::string full(path.data(), n);
      return full.substr(0, full.find_last_of('\\') + 1);
    }
    path.resize(path.size() * 2);
  }
}

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

  // By full path, with its own folder first for the libraries it imports;
  // no error box for a missing import.
  DWORD oldMode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
  HMODULE module = LoadLibraryExA(plugin.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  SetThreadErrorMode(oldMode, nullptr);
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
  static auto* plugin = new PlesseyPluginLoader(HostExecutableFolder());
  return *plugin;
}

}  // namespace

int PlesseyLoadOutcome() { return ProcessPlugin().Load(); }

std::string PlesseyCheckChars(std::string_view text) { return ProcessPlugin().CheckChars(text); }

}  // namespace vemra
