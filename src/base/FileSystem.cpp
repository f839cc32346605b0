#include "base/FileSystem.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "base/Text.h"

namespace vemra {

std::string FolderOf(const std::string& path) {
  auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string WithTrailingBackslash(std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

std::string NativePath(const std::string& path) {
#ifdef _WIN32
  return path;
#else
  return ReplaceAll(path, "\\", "/");
#endif
}

namespace {

namespace fs = std::filesystem;

class PortableFileSystem final : public FileSystem {
 public:
  bool FileExists(const std::string& path) const override {
    std::error_code ec;
    return fs::is_regular_file(NativePath(path), ec);
  }
  bool FolderExists(const std::string& path) const override {
    std::error_code ec;
    return fs::is_directory(NativePath(path), ec);
  }
  bool CreateFolders(const std::string& path) override {
    std::error_code ec;
    fs::create_directories(NativePath(path), ec);
    return FolderExists(path);
  }
  std::vector<std::string> ListFiles(const std::string& folder,
                                     const std::string& pattern) const override {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(NativePath(folder), ec), end; !ec && it != end;
         it.increment(ec)) {
      std::string name = it->path().filename().string();
      if (it->is_regular_file(ec) && WildcardMatch(pattern, name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  bool AppendToFile(const std::string& path, const std::string& text) override {
    std::ofstream out(NativePath(path), std::ios::binary | std::ios::app);
    out << text;
    return bool(out.flush());
  }
  std::uint64_t FileSize(const std::string& path) const override {
    std::error_code ec;
    const auto size = fs::file_size(NativePath(path), ec);
    return ec ? 0 : size;
  }
  bool MoveReplacing(const std::string& from, const std::string& to) override {
    std::error_code ec;
    fs::rename(NativePath(from), NativePath(to), ec);
    return !ec;
  }
};

}  // namespace

std::unique_ptr<FileSystem> MakePortableFileSystem() {
  return std::make_unique<PortableFileSystem>();
}

}  // namespace vemra
