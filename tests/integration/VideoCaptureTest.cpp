// VmScanImage with the live-video sources under Wine, which has no
// cameras: Video for Windows opens a black panel that freezes nothing,
// DirectShow tells the user there is no camera.
#include <gtest/gtest.h>

#include "ScriptedUser.h"  // windows.h first

#include <cstring>
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

// A video input device entry whose filter has no video to give (the null
// renderer): the device is found and opened, the graph cannot be built.
class FakeDevice {
 public:
  FakeDevice() {
    HKEY key = nullptr;
    created_ = RegCreateKeyExA(HKEY_CLASSES_ROOT, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                               nullptr) == ERROR_SUCCESS;
    if (!created_) return;
    auto set = [&](const char* name, const char* value) {
      RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), DWORD(strlen(value) + 1));
    };
    set("FriendlyName", "Vemra testkamera");
    set("CLSID", "{C1F400A4-3F08-11D3-9F0B-006008039E37}");
    RegCloseKey(key);
  }
  ~FakeDevice() {
    if (created_) Remove();
  }
  // Also what an interrupted run may have left.
  static void Remove() { RegDeleteKeyA(HKEY_CLASSES_ROOT, kKey); }
  bool Created() const { return created_; }

 private:
  static constexpr char kKey[] =
      "CLSID\\{860BB310-5D01-11D0-BD3B-00A0C911CE86}\\Instance\\VemraTestCamera";
  bool created_ = false;
};

TEST(VideoThroughExports, DirectShowWithoutACameraSaysSoAndOpensNoDialog) {
  FakeDevice::Remove();
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

TEST(VideoThroughExports, DirectShowCameraThatCannotRunOpensNoDialog) {
  DataFolder data(61);
  FakeDevice device;
  ASSERT_TRUE(device.Created());
  ScriptOutcome outcome;
  // Nothing for the user to do: no message, no dialog.
  const int result = RunScripted({}, [&] { return ByName().scanImage(1, "3"); }, &outcome);
  EXPECT_EQ(result, 2);
  EXPECT_FALSE(outcome.captureWindowSeen);
  EXPECT_TRUE(outcome.nestedMessages.empty());
  EXPECT_FALSE(MessageBoxWindow());
  EXPECT_FALSE(Exists(data.Photo("3")));
}

}  // namespace
}  // namespace vemra::test
