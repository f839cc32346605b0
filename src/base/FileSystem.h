#pragma once
// The file system as the library sees it: Windows paths ("C:\Data\x.jpg")
// in the ANSI code page. The DLL binds it to the platform's A functions; the
// native build maps "\" to "/" so the same code runs in tests.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vemra {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool FileExists(const std::string& path) const = 0;
  virtual bool FolderExists(const std::string& path) const = 0;
  // Creates the folder with every missing parent; true when it exists after.
  virtual bool CreateFolders(const std::string& path) = 0;
  // Names (not paths) of the files in `folder` matching `pattern` (* and ?),
  // sorted so that the first one is the same on every run.
  virtual std::vector<std::string> ListFiles(const std::string& folder,
                                             const std::string& pattern) const = 0;
  // Appends text to a file, creating it; false when it cannot be written.
  virtual bool AppendToFile(const std::string& path, const std::string& text) = 0;
  // Size in bytes; 0 when the file does not exist or cannot be read.
  virtual std::uint64_t FileSize(const std::string& path) const = 0;
  // Renames `from` to `to`, replacing a file there; false when it cannot.
  virtual bool MoveReplacing(const std::string& from, const std::string& to) = 0;
};

// Folder part of a path, with its trailing "\" ("" when there is none).
std::string FolderOf(const std::string& path);
// Ensures a trailing "\".
std::string WithTrailingBackslash(std::string folder);

// std::filesystem behind the interface; "\" in paths becomes "/".
std::unique_ptr<FileSystem> MakePortableFileSystem();
std::string NativePath(const std::string& path);

}  // namespace vemra
