#include "capture/win32/twain/SourceManagerLibrary.h"

#include <string>

namespace vemra {
namespace {

using twain::DSMENTRYPROC;

#if defined(_WIN64)
// By full path from the system folder, never from the host's folder or the
// working folder, where anybody may have put a file of that name.
std::wstring SystemManagerPath() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::wstring(folder, length) + L"\\TWAINDSM.dll";
}
#endif

// A 64-bit process tries TWAINDSM.dll first; both fall back to twain_32.dll,
// which lives in the Windows folder that the search covers (64-bit Wine
// ships one of that name).
HMODULE LoadManager(DWORD flags) {
#if defined(_WIN64)
  const std::wstring path = SystemManagerPath();
  if (!path.empty())
    if (HMODULE module = LoadLibraryExW(path.c_str(), nullptr, flags)) return module;
#endif
  return LoadLibraryExA("twain_32.dll", nullptr, flags);
}

DSMENTRYPROC EntryOf(HMODULE module) {
  FARPROC entry = GetProcAddress(module, "DSM_Entry");
  if (!entry) entry = GetProcAddress(module, MAKEINTRESOURCEA(1));
  return reinterpret_cast<DSMENTRYPROC>(reinterpret_cast<void*>(entry));
}

}  // namespace

SourceManagerLibrary LoadSourceManagerLibrary() {
  SourceManagerLibrary manager;
  manager.module = LoadManager(0);
  if (!manager.module) return manager;
  manager.entry = EntryOf(manager.module);
  if (!manager.entry) {
    FreeLibrary(manager.module);
    manager.module = nullptr;
  }
  return manager;
}

bool SourceManagerInstalled() {
  HMODULE module = LoadManager(LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return false;
  FreeLibrary(module);
  return true;
}

}  // namespace vemra
