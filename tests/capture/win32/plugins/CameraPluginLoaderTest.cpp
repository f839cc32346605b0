// The camera plug-in loaders and the Canon PR program against our fake
// plug-ins, each case in a host folder of its own.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/win32/PluginSupport.h"
#include "capture/plugins/PluginNames.h"
#include "capture/win32/plugins/CanonPluginLibrary.h"
#include "capture/win32/plugins/CanonPrProgram.h"
#include "capture/win32/plugins/EosPluginLibrary.h"

namespace vemra {
namespace {

std::string FakesFolder() {
  std::string p = "Z:" VEMRA_CAMERA_FAKES "\\";
  for (char& c : p)
    if (c == '/') c = '\\';
  return p;
}

std::string Samples(const char* name) {
  std::string p = "Z:" VEMRA_SAMPLES "/";
  p += name;
  for (char& c : p)
    if (c == '/') c = '\\';
  return p;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// A host folder with the named fakes copied in, and the fakes' call log.
class ScratchHost {
 public:
  explicit ScratchHost(const std::string& name) {
    folder_ = UserTempFolder() + "vemra-camera-" + name + "\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    log_ = folder_ + "calls.log";
    DeleteFileA(log_.c_str());
    SetEnvironmentVariableA("VEMRA_FAKECAMERA_LOG", log_.c_str());
  }
  ~ScratchHost() {
    SetEnvironmentVariableA("VEMRA_FAKECAMERA_LOG", nullptr);
    // Loaded libraries stay (as in the library); the folder stays with them.
  }
  void Copy(const char* fake, const char* as) {
    ASSERT_TRUE(CopyFileA((FakesFolder() + fake).c_str(), (folder_ + as).c_str(), FALSE)) << fake;
  }
  std::string Log() const { return ReadAll(log_); }
  const std::string& folder() const { return folder_; }

 private:
  std::string folder_, log_;
};

std::string GetPath() {
  std::string value;
  ReadEnvironment("PATH", value);
  return value;
}

TEST(CanonPluginLibrary, LoadResultsAndTheRedistributableFolderOnPath) {
  const std::string hostPath = GetPath();
  {
    ScratchHost host("missing");
    CanonPluginLibrary library(kCanonPlugin, host.folder());
    EXPECT_EQ(library.Load(), kCanonMissing);
    EXPECT_EQ(library.Load(), kCanonMissing);
    EXPECT_EQ(GetPath(), ShortPath(host.folder() + "CanonSDK_redist") + ";" + hostPath)
        << "in front once, the rest kept";
  }
  SetEnvironmentVariableA("PATH", hostPath.c_str());
  {
    ScratchHost host("noentry");
    host.Copy("cpPlugin_CanonEOS.dll", "cpPlugin_Canon.dll");
    CanonPluginLibrary library(kCanonPlugin, host.folder());
    EXPECT_EQ(library.Load(), kCanonLoadFailed);
    EXPECT_EQ(library.Load(), kCanonLoadedBefore);
  }
  SetEnvironmentVariableA("PATH", hostPath.c_str());
  EXPECT_EQ(CanonPluginLibrary(kCanonPlugin, "").Load(), kCanonMissing);
  SetEnvironmentVariableA("PATH", hostPath.c_str());
}

TEST(CanonPluginLibrary, CallsTheEntryPointsWithRegistersAndShortStrings) {
  const std::string hostPath = GetPath();
  ScratchHost host("calls");
  host.Copy("cpPlugin_CanonPR.dll", "cpPlugin_CanonPR.dll");
  SetEnvironmentVariableA("VEMRA_FAKECAMERA_CONNECT", "PR-1");
  SetEnvironmentVariableA("VEMRA_FAKECAMERA_ANSWER", "C:\\x.jpg|90");
  CanonPluginLibrary library(kCanonPrPlugin, host.folder());
  ASSERT_EQ(library.Load(), kCanonLoaded);
  EXPECT_EQ(library.ConnectInit("cam.ini"), "PR-1");
  EXPECT_EQ(library.GetImage(false), "C:\\x.jpg\t90");
  EXPECT_EQ(library.GetImage(true), "C:\\x.jpg\t90");
  EXPECT_EQ(library.Load(), kCanonLoadedBefore);
  EXPECT_EQ(host.Log(),
            "pr attach\npr connect 'cam.ini' args-ok\npr image args-ok\npr auto args-ok\n");
  for (const char* v : {"VEMRA_FAKECAMERA_CONNECT", "VEMRA_FAKECAMERA_ANSWER"})
    SetEnvironmentVariableA(v, nullptr);
  SetEnvironmentVariableA("PATH", hostPath.c_str());
}

TEST(EosPluginLibrary, PassesSystemStringsBothWaysAndReportsAMissingEntry) {
  ScratchHost host("eos");
  host.Copy("cpPlugin_CanonEOS.dll", "cpPlugin_CanonEOS.dll");
  host.Copy("cpPlugin_CanonEOS_noentry.dll", "noentry.dll");
  EosPluginLibrary none;
  EXPECT_FALSE(none.Load(host.folder() + "absent.dll"));
  EXPECT_FALSE(none.Load("cpPlugin_CanonEOS.dll")) << "only by full path";

  EosPluginLibrary noEntry;
  ASSERT_TRUE(noEntry.Load(host.folder() + "noentry.dll"));
  std::string params = "x";
  EXPECT_EQ(noEntry.Params(kEosGetImage, params), kEosNoEntry);
  std::vector<std::string> told;
  EosCamera camera(noEntry, {host.folder() + "noentry.dll", false, "", ""},
                   [&](const std::string& t) { told.push_back(t); });
  EXPECT_FALSE(camera.GetImage(false, params));
  EXPECT_EQ(told, std::vector<std::string>{"GetImage - Unknown Error: "});

  SetEnvironmentVariableA("VEMRA_FAKECAMERA_EOS_RESULT", "-1");
  SetEnvironmentVariableA("VEMRA_FAKECAMERA_EOS_ANSWER", "Kameran \xe4r avst\xe4ngd");
  EosPluginLibrary eos;
  ASSERT_TRUE(eos.Load(host.folder() + "cpPlugin_CanonEOS.dll"));
  params = "Iso=100\t";
  EXPECT_EQ(eos.Params(kEosSetSettings, params), -1);
  EXPECT_EQ(params, "Kameran \xe4r avst\xe4ngd");
  params.clear();
  EXPECT_EQ(eos.Params(kEosGetImage, params), -1);
  EXPECT_EQ(host.Log(), "eos attach\neos attach\neos 4 'Iso=100\t' args-ok\neos 1 '' args-ok\n");
  for (const char* v : {"VEMRA_FAKECAMERA_EOS_RESULT", "VEMRA_FAKECAMERA_EOS_ANSWER"})
    SetEnvironmentVariableA(v, nullptr);
}

TEST(CanonPrProgram, GivesOnlyAFreshTempJpg) {
  const std::string temp = UserTempFolder() + "temp.jpg";
  {
    ScratchHost host("noprogram");
    EXPECT_EQ(RunCanonPrProgram(host.folder()), std::nullopt);
  }
  ScratchHost host("program");
  host.Copy("cpPlugin_CanonPR_CL.exe", kCanonPrProgram);
  SetEnvironmentVariableA("VEMRA_FAKECAMERA_PROGRAM_WAIT", "50");
  SetEnvironmentVariableA("VEMRA_FAKECAMERA_PROGRAM_PICTURE", Samples("portrait.jpg").c_str());
  CopyFileA(Samples("sheet.jpg").c_str(), temp.c_str(), FALSE);  // an old picture lies there
  EXPECT_EQ(RunCanonPrProgram(host.folder()), temp);
  EXPECT_EQ(ReadAll(temp), ReadAll(Samples("portrait.jpg")));

  SetEnvironmentVariableA("VEMRA_FAKECAMERA_PROGRAM_STALE", "1");
  EXPECT_EQ(RunCanonPrProgram(host.folder()), "") << "written before the program started";
  SetEnvironmentVariableA("VEMRA_FAKECAMERA_PROGRAM_STALE", nullptr);

  // Held open by somebody else: it cannot be removed, so the program
  // does not even run.
  HANDLE held = CreateFileA(temp.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                            nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(RunCanonPrProgram(host.folder()), "");
  CloseHandle(held);
  EXPECT_EQ(host.Log(), "program run args=0\nprogram run args=0\n");
  DeleteFileA(temp.c_str());
  for (const char* v : {"VEMRA_FAKECAMERA_PROGRAM_WAIT", "VEMRA_FAKECAMERA_PROGRAM_PICTURE"})
    SetEnvironmentVariableA(v, nullptr);
}

}  // namespace
}  // namespace vemra

namespace vemra {
namespace {

TEST(CanonPrProgram, StopsWaitingWhenTheHostIsEnding) {
  ScratchHost host("quit");
  host.Copy("cpPlugin_CanonPR_CL.exe", kCanonPrProgram);
  SetEnvironmentVariableA("VEMRA_FAKECAMERA_PROGRAM_WAIT", "5000");
  PostQuitMessage(7);
  const DWORD start = GetTickCount();
  EXPECT_EQ(RunCanonPrProgram(host.folder()), "");
  EXPECT_LT(GetTickCount() - start, 2500u);
  MSG quit{};
  EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "left for the host";
  EXPECT_EQ(quit.wParam, 7u);
  SetEnvironmentVariableA("VEMRA_FAKECAMERA_PROGRAM_WAIT", nullptr);
}

}  // namespace
}  // namespace vemra
