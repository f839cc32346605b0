#include <windows.h>

#include <algorithm>

#include "base/win32/Win32Platform.h"

namespace vemra {
namespace {

class Win32FileSystem final : public FileSystem {
 public:
  bool FileExists(const std::string& path) const override {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
  }
  bool FolderExists(const std::string& path) const override {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  }
  bool CreateFolders(const std::string& path) override {
    std::string folder = path;
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    if (folder.empty() || FolderExists(folder)) return !folder.empty();
    std::string parent = FolderOf(folder);
    if (!parent.empty() && parent.size() < folder.size() && !CreateFolders(parent)) return false;
    return CreateDirectoryA(folder.c_str(), nullptr) || FolderExists(folder);
  }
  std::vector<std::string> ListFiles(const std::string& folder,
                                     const std::string& pattern) const override {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((folder + pattern).c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return names;
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
  }
  bool AppendToFile(const std::string& path, const std::string& text) override {
    HANDLE h = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(h);
    return ok && written == text.size();
  }
  std::uint64_t FileSize(const std::string& path) const override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }
  bool MoveReplacing(const std::string& from, const std::string& to) override {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
  }
};

}  // namespace

std::unique_ptr<FileSystem> MakeWin32FileSystem() { return std::make_unique<Win32FileSystem>(); }

}  // namespace vemra
