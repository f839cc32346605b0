#pragma once
// Functions of system libraries that Windows does not keep as known DLLs
// (msimg32, winspool.drv): an import would be looked for in the host's
// folder first, so they are loaded by full path from the system folder.
// Each answers failure, as the function itself would, when it cannot be
// loaded.
#include <windows.h>
#include <winspool.h>

namespace vemra::sys {

BOOL AlphaBlend(HDC dest, int x, int y, int width, int height, HDC source, int sourceX,
                int sourceY, int sourceWidth, int sourceHeight, BLENDFUNCTION blend);
BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX,
                    int sourceY, int sourceWidth, int sourceHeight, UINT transparent);

BOOL GetDefaultPrinterA(LPSTR buffer, LPDWORD size);
BOOL EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE buffer, DWORD bufferSize,
                   LPDWORD needed, LPDWORD returned);
BOOL OpenPrinterW(LPWSTR name, LPHANDLE printer, LPPRINTER_DEFAULTSW defaults);
LONG DocumentPropertiesW(HWND window, HANDLE printer, LPWSTR deviceName, PDEVMODEW output,
                         PDEVMODEW input, DWORD mode);
BOOL ClosePrinter(HANDLE printer);

// The library `name` from the system folder; null when it is not there.
HMODULE LoadSystemLibrary(const char* name);

}  // namespace vemra::sys
