#include "capture/win32/plugins/CanonPrProgram.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/win32/PluginSupport.h"
#include "base/win32/Win32Windows.h"
#include "capture/plugins/PluginNames.h"

namespace vemra {
namespace {

constexpr DWORD kPollMilliseconds = 100;
// File times may be coarser than the clock (2 s on FAT).
constexpr ULONGLONG kTimeSlack = 2ULL * 10'000'000;

ULONGLONG Ticks(const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

bool RemoveOldPicture(const std::string& path) {
  if (DeleteFileA(path.c_str())) return !IsFile(path);
  const DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool HostIsEnding() {
  MSG message;
  return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

// Runs the program and waits for its end, letting the host's windows work.
bool RunToEnd(const std::string& program) {
  std::vector<char> commandLine;
  const std::string quoted = "\"" + program + "\"";
  commandLine.assign(quoted.begin(), quoted.end());
  commandLine.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  while (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
    PumpPendingMessages();
    if (HostIsEnding()) break;
    MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, kPollMilliseconds, QS_ALLINPUT);
  }
  CloseHandle(process.hProcess);
  return true;
}

bool WrittenSince(const std::string& path, ULONGLONG start) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  // A program that copies its picture may keep the original's write time;
  // the new file's creation time still tells.
  const ULONGLONG latest = std::max(Ticks(data.ftCreationTime), Ticks(data.ftLastWriteTime));
  return latest + kTimeSlack >= start;
}

}  // namespace

std::string UserTempFolder() {
  char buffer[MAX_PATH + 1];
  const DWORD n = GetTempPathA(sizeof buffer, buffer);
  if (n == 0 || n > MAX_PATH) return "";
  std::string folder(buffer, n);
  if (folder.back() != '\\') folder += '\\';
  return folder;
}

std::optional<std::string> RunCanonPrProgram(const std::string& folder) {
  if (folder.empty()) return std::nullopt;
  const std::string program = folder + kCanonPrProgram;
  if (!IsFile(program)) return std::nullopt;
  const std::string temp = UserTempFolder();
  if (temp.empty()) return "";
  const std::string picture = temp + kCanonPrProgramPicture;
  if (!RemoveOldPicture(picture)) return "";
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  if (!RunToEnd(program)) return "";
  if (!WrittenSince(picture, Ticks(now))) return "";
  return picture;
}

}  // namespace vemra
