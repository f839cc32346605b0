#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "layout/barcodes/Plessey.h"
#include "layout/barcodes/win32/PlesseyPluginLoader.h"

namespace vemra {
namespace {

std::string ExeFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string full(path, n);
  return full.substr(0, full.find_last_of('\\') + 1);
}

std::string GetPath() {
  DWORD n = GetEnvironmentVariableA("PATH", nullptr, 0);
  std::string value(n, '\0');
  value.resize(GetEnvironmentVariableA("PATH", value.data(), n));
  return value;
}

// A host folder of its own for each case, removed afterwards.
class ScratchHost {
 public:
  explicit ScratchHost(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "vemra-plessey-" + name + "\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    CreateDirectoryA((folder_ + "plugin").c_str(), nullptr);
    CreateDirectoryA((folder_ + "plugin\\Plessey_redist").c_str(), nullptr);
  }
  ~ScratchHost() {
    for (const char* file : {"plugin\\Plessey_redist\\Dlsbarun.dll", "plugin\\cpPlessey.dll"})
      DeleteFileA((folder_ + file).c_str());
    RemoveDirectoryA((folder_ + "plugin\\Plessey_redist").c_str());
    RemoveDirectoryA((folder_ + "plugin").c_str());
    RemoveDirectoryA(folder_.c_str());
  }
  // Copies a file of the real test plug-in folder into this host's.
  void Copy(const char* from, const char* to) {
    ASSERT_TRUE(CopyFileA((ExeFolder() + "plugin\\" + from).c_str(),
                          (folder_ + "plugin\\" + to).c_str(), FALSE))
        << from;
  }
  void Write(const char* to, const char* text) {
    HANDLE h = CreateFileA((folder_ + "plugin\\" + to).c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(h, text, lstrlenA(text), &written, nullptr);
    CloseHandle(h);
  }
  const std::string& folder() const { return folder_; }

 private:
  std::string folder_;
};

class PathGuard {
 public:
  PathGuard() : old_(GetPath()) {}
  ~PathGuard() { SetEnvironmentVariableA("PATH", old_.c_str()); }

 private:
  std::string old_;
};

TEST(PlesseyPluginLoader, ReportsWhatKeepsThePluginFromLoading) {
  PathGuard path;
  const char* redist = "Plessey_redist\\Dlsbarun.dll";
  {
    ScratchHost host("missing");
    PlesseyPluginLoader loader(host.folder());
    EXPECT_EQ(loader.Load(), kPlesseyPluginMissing);
    host.Copy("cpPlessey.dll", "cpPlessey.dll");
    host.Copy(redist, redist);
    EXPECT_EQ(loader.Load(), kPlesseyPluginMissing) << "a failed attempt is not repeated";
    EXPECT_EQ(loader.CheckChars("12"), "");
  }
  {
    ScratchHost host("noredist");
    host.Copy("cpPlessey.dll", "cpPlessey.dll");
    EXPECT_EQ(PlesseyPluginLoader(host.folder()).Load(), kPlesseyRedistMissing);
  }
  {
    ScratchHost host("notadll");
    host.Write("cpPlessey.dll", "not a library");
    host.Copy(redist, redist);
    EXPECT_EQ(PlesseyPluginLoader(host.folder()).Load(), kPlesseyNotLoadable);
  }
  {
    ScratchHost host("noentry");
    host.Copy(redist, "cpPlessey.dll");
    host.Copy(redist, redist);
    EXPECT_EQ(PlesseyPluginLoader(host.folder()).Load(), kPlesseyNotLoadable);
  }
  {
    ScratchHost host("nopath");
    host.Copy("cpPlessey.dll", "cpPlessey.dll");
    host.Copy(redist, redist);
    SetEnvironmentVariableA("PATH", nullptr);
    EXPECT_EQ(PlesseyPluginLoader(host.folder()).Load(), kPlesseyPathNotSet);
  }
  EXPECT_EQ(PlesseyPluginLoader("").Load(), kPlesseyUnexpectedError);
}

// Divides the symbol's data bits, check bits included, by the Plessey
// generator x^8 + x^7 + x^6 + x^5 + x^3 + 1: a right check leaves no rest.
bool CheckBitsDivideOut(const std::string& textWithCheck) {
  std::vector<int> bits;
  for (char c : textWithCheck)
    for (int bit = 0; bit < 4; ++bit) bits.push_back((PlesseyNibble(c) >> bit) & 1);
  const int generator[9] = {1, 1, 1, 1, 0, 1, 0, 0, 1};  // x^8 down to x^0
  for (size_t i = 0; i + 8 < bits.size(); ++i)
    if (bits[i])
      for (int k = 0; k < 9; ++k) bits[i + k] ^= generator[k];
  for (size_t i = bits.size() - 8; i < bits.size(); ++i)
    if (bits[i]) return false;
  return true;
}

TEST(PlesseyCheckChars, LoadsThePluginBesideTheHostAndKeepsTheHostsPath) {
  // Longer than the 255 characters a fixed buffer would hold.
  std::string hostPath = GetPath() + ";C:\\" + std::string(300, 'p') + ";C:\\last";
  ASSERT_TRUE(SetEnvironmentVariableA("PATH", hostPath.c_str()));

  for (const std::string& text : std::vector<std::string>{"1234", "0", "12AB34CD", std::string(40, 'F')}) {
    std::string check = PlesseyCheckChars(text);
    ASSERT_EQ(check.size(), 2u) << text;
    EXPECT_TRUE(CheckBitsDivideOut(text + check)) << text << " + " << check;
  }
  EXPECT_EQ(PlesseyLoadOutcome(), kPlesseyLoaded);

  // The plug-in's folder in front, the host's whole value after it.
  const std::string path = GetPath();
  const size_t split = path.find(';');
  ASSERT_NE(split, std::string::npos);
  EXPECT_EQ(path.substr(split + 1), hostPath);
  char longForm[MAX_PATH];
  GetLongPathNameA(path.substr(0, split).c_str(), longForm, MAX_PATH);
  EXPECT_EQ(lstrcmpiA(longForm, (ExeFolder() + "plugin").c_str()), 0) << longForm;

  // A second use loads nothing more and changes nothing.
  EXPECT_EQ(PlesseyCheckChars("1234").size(), 2u);
  EXPECT_EQ(GetPath(), path);
}

}  // namespace
}  // namespace vemra
