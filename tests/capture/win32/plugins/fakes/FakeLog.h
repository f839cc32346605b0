#pragma once
// What the fake camera plug-ins share: their steering by environment
// variables and the log of their calls, one line each.
#include <windows.h>

#include <cstdio>
#include <string>

#if defined(__i386__)
#define VEMRA_REGISTER_CALL __attribute__((regparm(3)))
#else
// 64-bit code has one calling convention, and a 64-bit plug-in uses it.
#define VEMRA_REGISTER_CALL
#endif

namespace fake {

// VEMRA_FAKECAMERA_<name>, or fallback when not set.
inline std::string Setting(const char* name, const char* fallback = "") {
  const std::string variable = std::string("VEMRA_FAKECAMERA_") + name;
  char value[4096];
  const DWORD n = GetEnvironmentVariableA(variable.c_str(), value, sizeof value);
  if (n == 0 || n >= sizeof value) return fallback;
  return std::string(value, n);
}

// Appends a line to the file named by VEMRA_FAKECAMERA_LOG.
inline void Log(const std::string& line) {
  const std::string path = Setting("LOG");
  if (path.empty()) return;
  if (FILE* f = std::fopen(path.c_str(), "ab")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

// The answer texts carry "|" for tabs, which are awkward in variables.
inline std::string Tabs(std::string text) {
  for (char& c : text)
    if (c == '|') c = '\t';
  return text;
}

// A pointer the caller passed in a register: garbage there (the wrong
// convention) shows up as an unusable buffer.
inline bool Usable(const void* p, UINT_PTR size) {
  return p && !IsBadReadPtr(p, size);
}

}  // namespace fake
