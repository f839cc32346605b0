#include "base/win32/PluginSupport.h"

namespace vemra {

bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
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
    const DWORD got = GetEnvironmentVariableA(name, value.data(), n);
    if (got < n) {
      value.resize(got);
      return true;
    }
    n = got;
  }
}

bool PrependToPath(const std::string& folder) {
  std::string old;
  ReadEnvironment("PATH", old);
  const std::string entry = folder + ";";
  if (old.compare(0, entry.size(), entry) == 0) return true;
  return SetEnvironmentVariableA("PATH", (entry + old).c_str()) != 0;
}

HMODULE LoadLibraryByPath(const std::string& path) {
  DWORD oldMode = 0;
  SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  SetThreadErrorMode(oldMode, nullptr);
  return module;
}

}  // namespace vemra
