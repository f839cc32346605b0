#include "base/win32/SystemLibraries.h"

#include <string>

namespace vemra::sys {
namespace {

// Looked up once; the libraries stay loaded for the life of the process.
template <typename Function>
Function Lookup(const char* library, const char* name) {
  HMODULE module = LoadSystemLibrary(library);
  if (!module) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

#define VEMRA_SYSTEM_FUNCTION(library, name) \
  static const auto function = Lookup<decltype(&::name)>(library, #name)

BOOL Unavailable() {
  SetLastError(ERROR_PROC_NOT_FOUND);
  return FALSE;
}

}  // namespace

HMODULE LoadSystemLibrary(const char* name) {
  char folder[MAX_PATH];
  const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::string path = std::string(folder, length) + "\\" + name;
  return LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

BOOL AlphaBlend(HDC dest, int x, int y, int width, int height, HDC source, int sourceX,
                int sourceY, int sourceWidth, int sourceHeight, BLENDFUNCTION blend) {
  VEMRA_SYSTEM_FUNCTION("msimg32.dll", AlphaBlend);
  if (!function) return Unavailable();
  return function(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                  sourceHeight, blend);
}

BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX,
                    int sourceY, int sourceWidth, int sourceHeight, UINT transparent) {
  VEMRA_SYSTEM_FUNCTION("msimg32.dll", TransparentBlt);
  if (!function) return Unavailable();
  return function(dest, x, y, width, height, source, sourceX, sourceY, sourceWidth,
                  sourceHeight, transparent);
}

BOOL GetDefaultPrinterA(LPSTR buffer, LPDWORD size) {
  VEMRA_SYSTEM_FUNCTION("winspool.drv", GetDefaultPrinterA);
  return function ? function(buffer, size) : Unavailable();
}

BOOL EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD bufferSize,
                   LPDWORD needed, LPDWORD returned) {
  VEMRA_SYSTEM_FUNCTION("winspool.drv", EnumPrintersA);
  if (!function) return Unavailable();
  return function(flags, name, level, buffer, bufferSize, needed, returned);
}

BOOL OpenPrinterW(LPWSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults) {
  VEMRA_SYSTEM_FUNCTION("winspool.drv", OpenPrinterW);
  return function ? function(name, printer, defaults) : Unavailable();
}

LONG DocumentPropertiesW(HWND window, HANDLE printer, LPWSTR deviceName, PDEVMODEW output,
                         PDEVMODEW input, DWORD mode) {
  VEMRA_SYSTEM_FUNCTION("winspool.drv", DocumentPropertiesW);
  return function ? function(window, printer, deviceName, output, input, mode) : -1;
}

BOOL ClosePrinter(HANDLE printer) {
  VEMRA_SYSTEM_FUNCTION("winspool.drv", ClosePrinter);
  return function ? function(printer) : Unavailable();
}

}  // namespace vemra::sys
