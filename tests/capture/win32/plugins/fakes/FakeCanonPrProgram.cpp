// The Canon PR stand-alone program of our own: waits a little (so that a
// test can press the button meanwhile), then copies
// VEMRA_FAKECAMERA_PROGRAM_PICTURE to "temp.jpg" in the temporary folder;
// with VEMRA_FAKECAMERA_PROGRAM_STALE=1 it dates that file back to 2000.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "FakeLog.h"

int main(int argc, char**) {
  fake::Log("program run args=" + std::to_string(argc - 1));
  Sleep(DWORD(std::atoi(fake::Setting("PROGRAM_WAIT", "600").c_str())));
  const std::string picture = fake::Setting("PROGRAM_PICTURE");
  if (picture.empty()) return 0;
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string target = std::string(temp) + "temp.jpg";
  // Written anew, as a camera's picture is (a copy would keep the
  // sample's old dates).
  std::ifstream in(picture, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::ofstream(target, std::ios::binary) << bytes.str();
  if (fake::Setting("PROGRAM_STALE") == "1") {
    SYSTEMTIME old{2000, 1, 0, 1, 12, 0, 0, 0};
    FILETIME t;
    SystemTimeToFileTime(&old, &t);
    HANDLE h = CreateFileA(target.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    SetFileTime(h, &t, &t, &t);
    CloseHandle(h);
  }
  return 0;
}
