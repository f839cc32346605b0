// VmScanImage with the live-video sources under Wine, which has no
// cameras: Video for Windows opens a black panel that freezes nothing,
// DirectShow tells the user there is no camera.
#include <gtest/gtest.h>

#include "ScriptedUser.h"  // windows.h first

#include <deque>
#include <string>
#include <vector>

#include "capture/win32/CaptureDialog.h"
#include "capture/win32/video/LiveVideos.h"

namespace vemra::test {
namespace {

struct DataFolder {
  std::string folder = NewTempFolder();
  explicit DataFolder(int method) {
    if (FILE* f = fopen((folder + "VemraSDK.ini").c_str(), "wb")) {
      fprintf(f, "[BildImport]\r\nFotoMetod=%d\r\n", method);
      fclose(f);
    }
    EXPECT_EQ(ByName().init(folder.c_str()), 0);
  }
  std::string Photo(const char* id) const { return folder + "Image\\" + id + ".jpg"; }
};

// What the live dialog shows.
struct LiveLook {
  std::wstring button;
  bool okEnabled = true, toolsShown = true, frameShown = true, panelShown = false;
};
LiveLook LookOf(HWND d) {
  return {TextOf(GetDlgItem(d, kIdCapture)), bool(IsWindowEnabled(GetDlgItem(d, IDOK))),
          bool(IsWindowVisible(GetDlgItem(d, kIdZoomIn))), bool(IsWindowVisible(GetDlgItem(d, kIdFrame))),
          bool(IsWindowVisible(GetDlgItem(d, kIdVideoPanel)))};
}

TEST(VideoThroughExports, VideoForWindowsWithoutADriverStaysLiveAndCancels) {
  DataFolder data(1);
  LiveLook started, afterFreeze;
  std::vector<std::wstring> menu, driverMenu;
  ScriptOutcome outcome;
  HWND control = nullptr;
  const int result = RunScripted(
      {// The live picture's control appears once the dialog's timer ran.
       [&] {
         HWND d = CaptureDialog();
         control = d ? FindChild(d, kVideoCapClassName) : nullptr;
         if (!control) return false;
         started = LookOf(d);
         SaveScreenshot(d, "video-vfw-live");
         PostMessageW(control, WM_RBUTTONUP, 0, MAKELPARAM(100, 100));
         return true;
       },
       [&] {
         HMENU m = OpenPopupMenu();
         if (!m) return false;
         menu = MenuItems(m);
         for (int i = 0; i < GetMenuItemCount(m); ++i)
           if (HMENU sub = GetSubMenu(m, i); sub && menu[std::size_t(i)] == L"Driver(0)")
             driverMenu = MenuItems(sub);
         SaveScreenshot(FindOurs(L"#32768"), "video-vfw-menu");
         EndMenu();
         return true;
       },
       [&] {
         HWND d = CaptureDialog();
         if (!d || OpenPopupMenu()) return false;
         Click(d, kIdCapture);
         return true;
       },
       [&] {
         HWND d = CaptureDialog();
         if (!d) return false;
         afterFreeze = LookOf(d);
         Click(d, IDCANCEL);
         return true;
       }},
      [&] { return ByName().scanImage(1, "1"); }, &outcome);
  EXPECT_EQ(result, 2);
  EXPECT_EQ(started.button, L"Frys");
  EXPECT_FALSE(started.okEnabled);
  EXPECT_FALSE(started.toolsShown);
  EXPECT_FALSE(started.frameShown);
  EXPECT_TRUE(started.panelShown);
  EXPECT_EQ(menu, (std::vector<std::wstring>{L"Source...", L"Display...", L"Format...", L"Driver(0)",
                                             L"Connect as(2)"}));
  EXPECT_TRUE(driverMenu.empty());
  // Nothing to freeze: still live, nothing said.
  EXPECT_EQ(afterFreeze.button, L"Frys");
  EXPECT_FALSE(afterFreeze.okEnabled);
  EXPECT_TRUE(afterFreeze.panelShown);
  EXPECT_TRUE(outcome.nestedMessages.empty());
  EXPECT_FALSE(Exists(data.Photo("1")));
}

TEST(VideoThroughExports, DirectShowWithoutACameraSaysSoAndOpensNoDialog) {
  DataFolder data(61);
  std::wstring message;
  ScriptOutcome outcome;
  const int result = RunScripted({AnswerMessageSaved(&message, "video-ds-no-camera")},
                                 [&] { return ByName().scanImage(1, "2"); }, &outcome);
  EXPECT_EQ(result, 2);
  EXPECT_EQ(message, L"Ingen videokamera hittades. Anslut en kamera och f\u00f6rs\u00f6k igen.");
  EXPECT_FALSE(outcome.captureWindowSeen);
  EXPECT_FALSE(Exists(data.Photo("2")));
}

}  // namespace
}  // namespace vemra::test
