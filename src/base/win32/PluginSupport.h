#pragma once
// What loading a plug-in library needs from the process: its files, its
// PATH, and a load by full path. Shared by every plug-in family.
#include <windows.h>

#include <string>

namespace vemra {

// An existing file, not a folder.
bool IsFile(const std::string& path);
// The 8.3 form of an existing path; the path itself when there is none.
std::string ShortPath(const std::string& path);
// The variable's whole value, however long; false when it is not set.
bool ReadEnvironment(const char* name, std::string& value);
// Puts folder and ";" in front of PATH, once: a PATH that already starts
// with it is left alone. The old value is kept whole, however long, so the
// host keeps every entry it had. An unset PATH becomes the folder alone.
bool PrependToPath(const std::string& folder);
// Loads a library by its full path, with its own folder searched first for
// the libraries it imports, and without an error box for a missing import.
HMODULE LoadLibraryByPath(const std::string& path);

}  // namespace vemra
