#pragma once
// Windows bindings of the base services.
#include <memory>
#include <string>

#include "base/FileSystem.h"
#include "base/RegionalFormats.h"

namespace vemra {

// The A functions, so that host paths in the ANSI code page pass unchanged.
std::unique_ptr<FileSystem> MakeWin32FileSystem();
// The user's regional formats, read when asked.
std::unique_ptr<RegionalFormats> MakeUserRegionalFormats();
// Folder of the process's executable (not of this library), with "\".
std::string HostFolder();
// "yyyy-mm-dd hh:nn:ss" in local time.
std::string LocalTimeStamp();

// Windows-1252 texts (the host's, the settings') and our own UTF-8
// literals to UTF-16 for the W functions.
std::wstring Wide(const std::string& ansi);
std::wstring WideFromUtf8(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

}  // namespace vemra
