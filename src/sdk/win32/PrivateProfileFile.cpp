#include "sdk/win32/PrivateProfileFile.h"

#include <windows.h>

#include <vector>

namespace vemra {
namespace {

// Stands for "missing": no settings value can contain these control codes.
constexpr char kMissing[] = "\x01\x02vemra-missing\x02\x01";

class PrivateProfileFile final : public ProfileFile {
 public:
  explicit PrivateProfileFile(std::string path) : path_(std::move(path)) {}

  std::optional<std::string> Read(const std::string& section,
                                  const std::string& key) const override {
    char buffer[2048];
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer,
                                       sizeof buffer, path_.c_str());
    std::string value(buffer, n);
    if (value == kMissing) return std::nullopt;
    return value;
  }

  void Write(const std::string& section, const std::string& key,
             const std::string& value) override {
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()))
      throw ProfileWriteError("WritePrivateProfileString failed (" +
                              std::to_string(GetLastError()) + ") for " + path_);
  }

  void Remove(const std::string& section, const std::string& key) override {
    if (GetFileAttributesA(path_.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, path_.c_str()))
      throw ProfileWriteError("cannot remove " + key + " from " + path_);
  }

 private:
  std::string path_;
};

}  // namespace

std::unique_ptr<ProfileFile> OpenPrivateProfileFile(const std::string& path) {
  return std::make_unique<PrivateProfileFile>(path);
}

}  // namespace vemra
