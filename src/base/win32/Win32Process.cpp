#include <windows.h>

#include <cstdio>
#include <vector>

#include "base/win32/Win32Platform.h"

namespace vemra {

std::string HostFolder() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, buffer.data(), DWORD(buffer.size()));
    if (n == 0) return "";
    if (n < buffer.size()) return FolderOf(std::string(buffer.data(), n));
    if (buffer.size() >= 32768) return "";
    buffer.resize(buffer.size() * 2);
  }
}

std::string LocalTimeStamp() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  char text[32];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay,
                t.wHour, t.wMinute, t.wSecond);
  return text;
}

namespace {
std::wstring WideOf(const std::string& text, UINT codePage) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring out(std::size_t(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), int(text.size()), out.data(), n);
  return out;
}
}  // namespace

std::wstring Wide(const std::string& ansi) { return WideOf(ansi, CP_ACP); }
std::wstring WideFromUtf8(const std::string& utf8) { return WideOf(utf8, CP_UTF8); }

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(std::size_t(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace vemra
