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
  CaptureDataFolder data(1);
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

// Registry entries of this test under HKEY_CLASSES_ROOT, removed again
// (also what an interrupted run may have left).
class RegistryEntry {
 public:
  RegistryEntry(const std::string& key, std::vector<std::pair<const char*, std::string>> values)
      : key_(key) {
    HKEY k = nullptr;
    created_ = RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k,
                               nullptr) == ERROR_SUCCESS;
    if (!created_) return;
    for (const auto& [name, value] : values)
      RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     DWORD(value.size() + 1));
    RegCloseKey(k);
  }
  ~RegistryEntry() {
    if (created_) Remove(key_);
  }
  static void Remove(const std::string& key) { RegDeleteTreeA(HKEY_CLASSES_ROOT, key.c_str()); }
  bool Created() const { return created_; }

 private:
  std::string key_;
  bool created_ = false;
};

const std::string kDeviceKey =
    "CLSID\\{860BB310-5D01-11D0-BD3B-00A0C911CE86}\\Instance\\VemraTestCamera";
const char kTestCameraClsid[] = "{5E1C2A40-7B3D-4C8E-9A61-2F0D3B7C9E11}";
const char kNullRendererClsid[] = "{C1F400A4-3F08-11D3-9F0B-006008039E37}";

// A video input device whose filter has the CLSID.
RegistryEntry Device(const char* clsid) {
  return RegistryEntry(kDeviceKey, {{"FriendlyName", "Vemra testkamera"}, {"CLSID", clsid}});
}

TEST(VideoThroughExports, DirectShowWithoutACameraSaysSoAndOpensNoDialog) {
  RegistryEntry::Remove(kDeviceKey);
  CaptureDataFolder data(61);
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
  // The null renderer: the device opens, but gives no video.
  CaptureDataFolder data(61);
  const RegistryEntry device = Device(kNullRendererClsid);
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

// Our own camera (1280 x 720, blue x / 5, green y / 3, red 90): the 16:9
// video gets a 704 x 396 window and a 270 x 360 photo frame; one frozen
// frame is stored at the camera's resolution.
TEST(VideoThroughExports, DirectShowCameraFrameIsFrozenAndStored) {
  const RegistryEntry server(std::string("CLSID\\") + kTestCameraClsid + "\\InprocServer32",
                             {{nullptr, WindowsPath(VEMRA_TEST_CAMERA)}, {"ThreadingModel", "Both"}});
  const RegistryEntry device = Device(kTestCameraClsid);
  ASSERT_TRUE(server.Created() && device.Created());
  CaptureDataFolder data(61);
  LiveLook live, frozen;
  bool overlayShown = false;
  RECT video{}, frame{};
  const int result = RunScripted(
      {[&] {
         HWND d = CaptureDialog();
         HWND v = d ? FindChild(d, kDirectShowVideoClassName) : nullptr;
         if (!v) return false;
         live = LookOf(d);
         overlayShown = FindOurs(L"TfrmCaptureOverlay") != nullptr;
         GetWindowRect(v, &video);
         SaveScreenshot(d, "video-ds-live");
         return true;
       },
       // Pressed until a frame has arrived: before that "Frys" stays live.
       [&] {
         HWND d = CaptureDialog();
         if (!d) return false;
         if (IsWindowEnabled(GetDlgItem(d, IDOK))) return true;
         Click(d, kIdCapture);
         return false;
       },
       [&] {
         HWND d = CaptureDialog();
         if (!d) return false;
         frozen = LookOf(d);
         GetWindowRect(GetDlgItem(d, kIdFrame), &frame);
         SaveScreenshot(d, "video-ds-frozen");
         Click(d, IDOK);
         return true;
       }},
      [&] { return ByName().scanImage(1, "4"); });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(live.button, L"Frys");
  EXPECT_FALSE(live.okEnabled);
  EXPECT_TRUE(overlayShown);
  EXPECT_EQ(video.right - video.left, 704);
  EXPECT_EQ(video.bottom - video.top, 396);
  EXPECT_EQ(frozen.button, L"Video");
  EXPECT_TRUE(frozen.frameShown);
  EXPECT_EQ(frame.right - frame.left, 270);
  EXPECT_EQ(frame.bottom - frame.top, 360);
  EXPECT_FALSE(FindOurs(L"TfrmCaptureOverlay"));
  Bitmap camera(1280, 720);
  for (int y = 0; y < 720; ++y)
    for (int x = 0; x < 1280; ++x) {
      std::uint8_t* p = camera.Row(y) + 3 * x;
      p[0] = std::uint8_t(x / 5), p[1] = std::uint8_t(y / 3), p[2] = 90;
    }
  const Bitmap photo = ReadJpeg(data.Photo("4"));
  ASSERT_EQ(photo.Width(), 491);
  ASSERT_EQ(photo.Height(), 655);
  EXPECT_LT(MeanDifference(photo, camera, 395, 33), 4.0);
}

}  // namespace
}  // namespace vemra::test
