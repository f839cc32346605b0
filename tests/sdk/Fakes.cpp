#include "sdk/Fakes.h"

#include <atomic>
#include <random>
#include <fstream>
#include <sstream>

#include "base/Text.h"
#include "sdk/ProfileFile.h"

namespace vemra::test {

bool ScriptedCapture::Dialog::CaptureToFile(const CaptureRequest& request) {
  owner_.requests.push_back(request);
  if (owner_.whileCapturing) owner_.whileCapturing();
  std::size_t index = owner_.requests.size() - 1;
  if (index >= owner_.script.size()) return false;
  const Step& step = owner_.script[index];
  if (step.throwsNonStandard) throw 42;
  if (step.stored && step.writeFile) {
    std::filesystem::create_directories(std::filesystem::path(NativePath(request.fileName)).parent_path());
    std::ofstream(NativePath(request.fileName)) << "jpeg";
  }
  return step.stored;
}

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  auto dir = std::filesystem::temp_directory_path() /
             ("vemra-test-" + std::to_string(std::random_device{}()) + "-" +
              std::to_string(counter++));
  std::filesystem::create_directories(dir);
  path_ = dir.string() + "/";
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string TempFolder::Windows() const { return ReplaceAll(path_, "/", "\\"); }

void TempFolder::Write(const std::string& relative, const std::string& content) const {
  std::filesystem::path p = path_ + relative;
  std::filesystem::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << content;
}

std::string TempFolder::Read(const std::string& relative) const {
  std::ifstream in(path_ + relative, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

LibraryServices FakePlatform::Services() {
  LibraryServices s;
  s.files = files.get();
  s.openProfile = OpenPortableProfileFile;
  s.regional = &regional;
  s.printers = &printers;
  s.capture = &capture;
  s.hostFolder = [this] { return hostFolder; };
  s.now = [] { return std::string("2026-12-08 12:00:00"); };
  s.clock = &clock;
  s.loadPicture = [this](Picture& holder, const std::string& path, std::string* why) {
    picturesLoaded.push_back(path);
    if (!files->FileExists(path) || files->FileSize(path) == 0) {
      if (why) *why = "damaged";
      return false;
    }
    holder.SetBitmap(Bitmap(1, 1));
    return true;
  };
  s.printLayout = [this](const PrintLayoutRequest& r) {
    printed.push_back(r);
    if (whilePrinting) whilePrinting();
  };
  s.showSystemMessage = [this](const std::string& m) { messages.push_back(m); };
  return s;
}

}  // namespace vemra::test
