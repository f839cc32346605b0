#include "sdk/win32/PrivateProfileFile.h"

#include <windows.h>

#include "base/FileSystem.h"

namespace vemra {
namespace {

// Stands for "missing": no settings value can contain these control codes.
constexpr char kMissing[] = "\x01\x02vemra-missing\x02\x01";

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class PrivateProfileFile final : public ProfileFile {
 public:
  PrivateProfileFile(std::string path, ProfileWriter writer)
      : path_(std::move(path)), writer_(std::move(writer)) {}
  ~PrivateProfileFile() override { DropCopy(); }

  std::optional<std::string> Read(const std::string& section,
                                  const std::string& key) const override {
    char buffer[2048];
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer,
                                       sizeof buffer, Current().c_str());
    std::string value(buffer, n);
    if (value == kMissing) return std::nullopt;
    return value;
  }

  void Write(const std::string& section, const std::string& key,
             const std::string& value) override {
    MakeCopy();
    if (!writer_(section.c_str(), key.c_str(), value.c_str(), copy_.c_str()))
      throw ProfileWriteError("WritePrivateProfileString failed (" +
                              std::to_string(GetLastError()) + ") for " + path_);
  }

  void Remove(const std::string& section, const std::string& key) override {
    if (!Exists(Current())) return;
    MakeCopy();
    if (!writer_(section.c_str(), key.c_str(), nullptr, copy_.c_str()))
      throw ProfileWriteError("cannot remove " + key + " from " + path_);
  }

  void Commit() override {
    if (copy_.empty()) return;
    // The profile functions may cache a file; flushed, the copy is whole.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, copy_.c_str());
    if (!MoveFileExA(copy_.c_str(), path_.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      const DWORD error = GetLastError();
      DropCopy();
      throw ProfileWriteError("cannot replace " + path_ + " (" + std::to_string(error) + ")");
    }
    copy_.clear();
  }

 private:
  const std::string& Current() const { return copy_.empty() ? path_ : copy_; }

  // A file of our own beside the original, holding what it holds.
  void MakeCopy() {
    if (!copy_.empty()) return;
    std::string folder = FolderOf(path_);
    char name[MAX_PATH];
    if (!GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "vem", 0, name))
      throw ProfileWriteError("cannot make a copy of " + path_ + " (" +
                              std::to_string(GetLastError()) + ")");
    copy_ = name;
    if (Exists(path_) && !CopyFileA(path_.c_str(), copy_.c_str(), FALSE)) {
      const DWORD error = GetLastError();
      DropCopy();
      throw ProfileWriteError("cannot copy " + path_ + " (" + std::to_string(error) + ")");
    }
    // A read-only original makes a read-only copy, which could not be removed.
    SetFileAttributesA(copy_.c_str(), FILE_ATTRIBUTE_NORMAL);
  }

  void DropCopy() {
    if (copy_.empty()) return;
    DeleteFileA(copy_.c_str());
    copy_.clear();
  }

  std::string path_;
  ProfileWriter writer_;
  std::string copy_;  // while changes are pending
};

}  // namespace

std::unique_ptr<ProfileFile> OpenPrivateProfileFile(const std::string& path) {
  return OpenPrivateProfileFileWith(
      path, [](const char* section, const char* key, const char* value, const char* file) {
        return WritePrivateProfileStringA(section, key, value, file) != FALSE;
      });
}

std::unique_ptr<ProfileFile> OpenPrivateProfileFileWith(const std::string& path,
                                                        ProfileWriter writer) {
  return std::make_unique<PrivateProfileFile>(path, std::move(writer));
}

}  // namespace vemra
