// VmScanImage with the camera plug-ins as sources (41 Canon, 42 Canon PR
// with and without its program, 43 Canon EOS), answered by our fakes,
// which lie beside this program as the real ones lie beside the host. The
// library keeps each plug-in loaded for the process, so the tests build
// on one another in the order written.
#include <gtest/gtest.h>

#include "ScriptedUser.h"  // windows.h first

#include <cstdlib>
#include <deque>
#include <functional>
#include <string>

#include "capture/win32/CaptureDialog.h"
#include "imaging/PictureCodecs.h"
#include "imaging/Rotate.h"

namespace vemra::test {
namespace {

std::string Unix(const char* path) { return WindowsPath(path); }
std::string Fakes(const char* name) { return Unix(VEMRA_CAMERA_FAKES "/") + name; }
std::string Portrait() { return Unix(VEMRA_SOURCE_DIR "/samples/portrait.jpg"); }
std::string Host() { return TestProgramFolder(); }

void Place(const char* fake, const char* as) {
  ASSERT_TRUE(CopyFileA(Fakes(fake).c_str(), (Host() + as).c_str(), FALSE)) << fake;
}
void Remove(const char* name) { DeleteFileA((Host() + name).c_str()); }
void SetVariable(const char* name, const std::string& value) {
  SetEnvironmentVariableA((std::string("VEMRA_FAKECAMERA_") + name).c_str(),
                          value.empty() ? nullptr : value.c_str());
}

std::string GetPath() {
  DWORD n = GetEnvironmentVariableA("PATH", nullptr, 0);
  std::string value(n, '\0');
  value.resize(GetEnvironmentVariableA("PATH", value.data(), n));
  return value;
}

// The fakes' calls in this process, from a fresh log.
struct CallLog {
  std::string path = NewTempFolder() + "calls.log";
  CallLog() { SetVariable("LOG", path); }
  ~CallLog() { SetVariable("LOG", ""); }
  std::string Text() const { return ReadText(path); }
};

// ---- the user, from a thread timer

// A photo-only scan request with the given script.
int RunScan(const char* id, std::deque<Step> script) { return RunScanScripted(1, id, std::move(script)); }

// Does one thing to the shown capture dialog.
Step OnDialog(std::function<void(HWND)> act) { return OnCaptureDialog(L"", std::move(act)); }
Step PressCanon() { return OnDialog([](HWND d) { Click(d, kIdCapture); }); }
// Waits until the dialog holds a picture, then stores it.
Step StoreWhenShown(const char* screenshot) {
  return [=] {
    HWND d = CaptureDialog();
    if (!d || !IsWindowEnabled(GetDlgItem(d, IDOK))) return false;
    SaveScreenshot(d, screenshot);
    Click(d, IDOK);
    return true;
  };
}
Step CancelWithoutPicture(bool* okEnabled) {
  return OnDialog([=](HWND d) {
    *okEnabled = IsWindowEnabled(GetDlgItem(d, IDOK));
    Click(d, IDCANCEL);
  });
}

// ---- pictures

// The 512 x 512 portrait in the 360 x 480 photo frame is stored as its
// middle 384 x 512: how far the stored photo is from the portrait turned
// clockwise by `angle`, per channel on average.
double DistanceFromTurnedPortrait(const std::string& stored, int angle) {
  Bitmap turned = ReadJpeg(Portrait());
  RotateBitmapQuarter(angle, turned);
  const Bitmap photo = ReadJpeg(stored);
  if (photo.Width() != 384 || photo.Height() != 512) return 999;
  double sum = 0;
  for (int y = 0; y < 512; ++y)
    for (int i = 0; i < 3 * 384; ++i) sum += std::abs(int(photo.Row(y)[i]) - int(turned.Row(y)[3 * 64 + i]));
  return sum / (3.0 * 384 * 512);
}

// ---- the tests, in the order the process lives through them

TEST(CameraThroughExports, FailedCanonLoadsPutTheRedistributableFolderOnPathOnce) {
  Remove("cpPlugin_Canon.dll");
  CreateDirectoryA((Host() + "CanonSDK_redist").c_str(), nullptr);
  const std::string original = GetPath() + ";C:\\" + std::string(300, 'p') + ";C:\\last";
  SetEnvironmentVariableA("PATH", original.c_str());
  CaptureDataFolder data(41);
  std::wstring caption;
  bool okEnabled = true;
  EXPECT_EQ(RunScan("41", {PressCanon(), PressCanon(), PressCanon(), PressCanon(), PressCanon(),
                           OnDialog([&](HWND d) { caption = TextOf(GetDlgItem(d, kIdCapture)); }),
                           CancelWithoutPicture(&okEnabled)}),
            2);
  EXPECT_EQ(caption, L"Canon");
  EXPECT_FALSE(okEnabled);
  char shortForm[MAX_PATH] = "";
  GetShortPathNameA((Host() + "CanonSDK_redist").c_str(), shortForm, MAX_PATH);
  EXPECT_EQ(GetPath(), std::string(shortForm) + ";" + original);
}

TEST(CameraThroughExports, CanonAnswerTurnsThePictureAndConnectsOnce) {
  CallLog log;
  Place("cpPlugin_Canon.dll", "cpPlugin_Canon.dll");
  SetVariable("ANSWER", Portrait() + "|-90");
  CaptureDataFolder data(41);
  EXPECT_EQ(RunScan("42", {PressCanon(), PressCanon(), StoreWhenShown("canon-turned")}), 0);
  SetVariable("ANSWER", "");
  EXPECT_EQ(log.Text(),
            "canon attach\ncanon connect '' args-ok\ncanon image args-ok\ncanon image args-ok\n");
  EXPECT_LT(DistanceFromTurnedPortrait(data.Photo("42"), 270), 4.0);
  EXPECT_GT(DistanceFromTurnedPortrait(data.Photo("42"), 90), 20.0);
}

TEST(CameraThroughExports, TheCanonPrProgramGivesAFreshTempJpgAndTheLibraryStaysUnloaded) {
  CallLog log;
  Place("cpPlugin_CanonPR_CL.exe", "cpPlugin_CanonPR_CL.exe");
  Place("cpPlugin_CanonPR.dll", "cpPlugin_CanonPR.dll");
  SetVariable("PROGRAM_PICTURE", Portrait());
  SetVariable("PROGRAM_WAIT", "800");
  CaptureDataFolder data(42);
  bool disabledWhileRunning = false;
  Step whileRunning = [&] {
    HWND d = CaptureDialog();
    HWND button = d ? GetDlgItem(d, kIdCapture) : nullptr;
    if (!button || IsWindowEnabled(button)) return false;
    disabledWhileRunning = true;
    SaveScreenshot(d, "canon-pr-program-running");
    SendMessageW(button, BM_CLICK, 0, 0);  // a user's second press
    return true;
  };
  EXPECT_EQ(RunScan("43", {PressCanon(), whileRunning, StoreWhenShown("canon-pr-program")}), 0);
  EXPECT_TRUE(disabledWhileRunning);
  EXPECT_LT(DistanceFromTurnedPortrait(data.Photo("43"), 0), 4.0);

  // A temp.jpg older than the program's start is not its picture.
  SetVariable("PROGRAM_STALE", "1");
  bool okEnabled = true;
  Step afterRun = [&] {
    HWND d = CaptureDialog();
    return d && IsWindowEnabled(GetDlgItem(d, kIdCapture)) &&
           log.Text().find("run args=0\nprogram run") != std::string::npos;
  };
  EXPECT_EQ(RunScan("44", {PressCanon(), afterRun, CancelWithoutPicture(&okEnabled)}), 2);
  EXPECT_FALSE(okEnabled);
  EXPECT_EQ(log.Text(), "program run args=0\nprogram run args=0\n") << "no library loaded";
  for (const char* v : {"PROGRAM_PICTURE", "PROGRAM_WAIT", "PROGRAM_STALE"}) SetVariable(v, "");
  Remove("cpPlugin_CanonPR_CL.exe");
}

TEST(CameraThroughExports, CanonPrErrorAnswersGiveNoPictureUntilItConnects) {
  CallLog log;
  CaptureDataFolder data(42);
  bool okEnabled = true;
  auto connectAnswer = [](const char* answer) {
    return OnDialog([=](HWND) { SetVariable("CONNECT", answer); });
  };
  EXPECT_EQ(RunScan("45", {connectAnswer("Error: x"), PressCanon(), connectAnswer("ERROR:"),
                           PressCanon(), CancelWithoutPicture(&okEnabled)}),
            2);
  EXPECT_FALSE(okEnabled);
  SetVariable("CONNECT", "Camera: PR");
  SetVariable("ANSWER", Portrait() + "|90");
  EXPECT_EQ(RunScan("46", {PressCanon(), StoreWhenShown("canon-pr-library")}), 0);
  EXPECT_LT(DistanceFromTurnedPortrait(data.Photo("46"), 90), 4.0);
  EXPECT_EQ(log.Text(),
            "pr attach\npr connect '' args-ok\npr connect '' args-ok\npr connect '' args-ok\n"
            "pr image args-ok\n");
  for (const char* v : {"CONNECT", "ANSWER"}) SetVariable(v, "");
}

TEST(CameraThroughExports, CanonEosTellsWhyAndThenDeliversItsPicture) {
  CallLog log;
  Remove("cpPlugin_CanonEOS.dll");
  CaptureDataFolder data(43);
  std::wstring missing, refused;
  EXPECT_EQ(RunScan("47", {PressCanon(), AnswerMessageSaved(&missing, "canon-eos-missing"),
                           OnDialog([](HWND) {
                             Place("cpPlugin_CanonEOS.dll", "cpPlugin_CanonEOS.dll");
                             SetVariable("EOS_RESULT", "-1");
                             SetVariable("EOS_ANSWER", "Kameran \xe4r avst\xe4ngd");
                           }),
                           PressCanon(), AnswerMessage(&refused),
                           OnDialog([](HWND) {
                             SetVariable("EOS_RESULT", "0");
                             SetVariable("EOS_ANSWER", "Fil=" + Portrait() + "|Angle=180|");
                           }),
                           PressCanon(), StoreWhenShown("canon-eos")}),
            0);
  std::wstring expected = L"Failed to load ";
  for (char c : Host() + "cpPlugin_CanonEOS.dll") expected += wchar_t(static_cast<unsigned char>(c));
  EXPECT_EQ(missing, expected);
  EXPECT_EQ(refused, L"Kameran \u00e4r avst\u00e4ngd");
  EXPECT_LT(DistanceFromTurnedPortrait(data.Photo("47"), 180), 4.0);
  EXPECT_EQ(log.Text(), "eos attach\neos 1 '' args-ok\neos 1 '' args-ok\n");
  for (const char* v : {"EOS_RESULT", "EOS_ANSWER"}) SetVariable(v, "");
}

}  // namespace
}  // namespace vemra::test
