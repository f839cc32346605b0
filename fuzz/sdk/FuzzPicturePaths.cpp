// Where names from outside lead: a holder id accepted as a name in the
// picture store never names anything outside "Image\", and the picture
// names of layouts resolve and are looked up without a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "base/FileSystem.h"
#include "layout/file/PicturePaths.h"
#include "sdk/PictureStoreNames.h"

using namespace vemra;

namespace {

// Answers from the path's bytes, so the fuzzer can steer every branch,
// and never touches the disk.
class HashedFiles final : public FileSystem {
 public:
  bool FileExists(const std::string& path) const override {
    ++asked;
    std::uint32_t h = 2166136261u;
    for (unsigned char c : path) h = (h ^ c) * 16777619u;
    return h % 7 == 0;
  }
  bool FolderExists(const std::string&) const override { return false; }
  bool CreateFolders(const std::string&) override { return false; }
  std::vector<std::string> ListFiles(const std::string&, const std::string&) const override { return {}; }
  bool AppendToFile(const std::string&, const std::string&) override { return false; }
  std::uint64_t FileSize(const std::string&) const override { return 0; }
  bool MoveReplacing(const std::string&, const std::string&) override { return false; }
  mutable int asked = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t split = std::min(input.find('\0'), input.size());
  const std::string_view name = input.substr(0, split);
  const std::string_view host = input.substr(std::min(split + 1, input.size()));

  if (IsPictureStoreName(name)) {
    for (const char* suffix : {"", "s"}) {
      const std::string file = suffix + std::string(name) + ".jpg";
      if (file.find_first_of("\\/:*?\"<>|") != std::string::npos) std::abort();
      if (file.find("..") != std::string::npos && file.find("..jpg") == std::string::npos) std::abort();
      for (unsigned char c : file)
        if (c < 32) std::abort();
    }
  }

  const std::string resolved = ResolveLayoutPath(name, host);
  if (resolved.size() > name.size() + host.size() + 1) std::abort();
  HashedFiles files;
  if (const auto found = FindPictureFile(name, host, files); found && found->empty()) std::abort();
  // Every place and extension at most: the lookup never loops.
  if (files.asked > 1 + 4 * 5) std::abort();
  return 0;
}
