#pragma once
// Installs our test data source where Wine's source manager looks for its
// sources, for one test program, and puts back what the prefix had.
#include <windows.h>

#include <string>

namespace vemra::test {

// Wine's manager looks in one folder per word size: a 64-bit manager in
// twain_64, a 32-bit one in twain_32.
inline std::string SourceManagerFolder() {
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, MAX_PATH);
  return std::string(windows) + (sizeof(void*) == 8 ? "\\twain_64" : "\\twain_32");
}

class TestScannerSource {
 public:
  // `source`: the built data source's Windows path. False when it could
  // not be copied into place.
  bool Install(const std::string& source) {
    const std::string folder = SourceManagerFolder();
    CreateDirectoryA(folder.c_str(), nullptr);
    target_ = folder + "\\sane.ds";
    saved_ = target_ + ".vemra-saved";
    // Other programs expect the prefix as it was: what it had goes back at
    // the end (a copy left by an interrupted run is the original).
    CopyFileA(target_.c_str(), saved_.c_str(), TRUE);
    hadSource_ = GetFileAttributesA(saved_.c_str()) != INVALID_FILE_ATTRIBUTES;
    return CopyFileA(source.c_str(), target_.c_str(), FALSE);
  }

  void Remove() {
    // The source manager keeps our source loaded: it can be moved aside
    // but not overwritten.
    const std::string aside = target_ + ".vemra-old";
    DeleteFileA(aside.c_str());
    if (!MoveFileA(target_.c_str(), aside.c_str())) return;
    if (hadSource_) MoveFileA(saved_.c_str(), target_.c_str());
  }

 private:
  std::string target_, saved_;
  bool hadSource_ = false;
};

}  // namespace vemra::test
