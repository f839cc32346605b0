// The capture dialog with live video from a camera of the test's own: the
// live state, "Frys", and the frozen frame stored where the overlay left
// the picture clear.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "capture/session/CaptureSession.h"
#include "capture/session/VideoPictureSource.h"
#include "capture/video/CaptureOverlayModel.h"
#include "capture/win32/CaptureDialog.h"

namespace vemra {
namespace {

// A 1280 x 720 camera, as DirectShow would fit it: a 704 x 396 window.
struct TestCamera : LiveVideo {
  bool started = false;
  int frozen = 0;
  Readiness Prepare() override { return Readiness::kReady; }
  void Start() override { started = true; }
  Bitmap Freeze() override {
    ++frozen;
    Bitmap b(1280, 720);
    for (int y = 0; y < 720; ++y)
      for (int x = 0; x < 1280; ++x) {
        std::uint8_t* p = b.Row(y) + 3 * x;
        p[0] = std::uint8_t(x / 5), p[1] = std::uint8_t(y / 3), p[2] = 90;
      }
    return b;
  }
  void Resume() override {}
  void Stop() override {}
  ScreenSize LiveArea() const override { return {704, 396}; }
  int VideoWindowHeight() const override { return 396; }
};

struct Look {
  std::wstring button;
  bool ok = false, tools = false, frame = false, panel = false;
};
Look LookOf(HWND d) {
  wchar_t text[64] = L"";
  GetWindowTextW(GetDlgItem(d, kIdCapture), text, 64);
  return {text, bool(IsWindowEnabled(GetDlgItem(d, IDOK))),
          bool(IsWindowVisible(GetDlgItem(d, kIdZoomIn))), bool(IsWindowVisible(GetDlgItem(d, kIdFrame))),
          bool(IsWindowVisible(GetDlgItem(d, kIdVideoPanel)))};
}

std::vector<std::function<bool(HWND)>> steps;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  HWND d = FindWindowW(kCaptureClassName, nullptr);
  if (!d || !IsWindowVisible(d) || steps.empty()) return;
  if (steps.front()(d)) steps.erase(steps.begin());
}

void Click(HWND d, int id) {
  PostMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(d, id)));
}

TEST(LiveVideoDialog, FreezesAFrameAndStoresWhatTheOverlayLeftClear) {
  auto owned = std::make_unique<TestCamera>();
  TestCamera& camera = *owned;
  VideoPictureSource source(std::move(owned));
  CaptureDialogSettings settings;
  TdlgCapture view(settings);
  Bitmap stored;
  PictureStore store{[](const std::string&) { return false; },
                     [&](const Bitmap& b, const std::string&, int) { stored = b; }};
  CaptureRequest request;
  request.source = kDirectShow;
  request.purpose = kPhoto;
  request.fileName = "C:\\nowhere\\1.jpg";

  Look live, frozen;
  RECT panel{}, frame{};
  steps = {
      [&](HWND d) {
        if (!camera.started) return false;
        live = LookOf(d);
        GetWindowRect(GetDlgItem(d, kIdVideoPanel), &panel);
        Click(d, kIdCapture);
        return true;
      },
      [&](HWND d) {
        if (!IsWindowEnabled(GetDlgItem(d, IDOK))) return false;
        frozen = LookOf(d);
        GetWindowRect(GetDlgItem(d, kIdFrame), &frame);
        Click(d, IDOK);
        return true;
      },
  };
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
  const bool ok = CaptureSession(view, source, store, request).Run();
  KillTimer(nullptr, timer);
  EXPECT_TRUE(steps.empty());
  steps.clear();

  EXPECT_TRUE(ok);
  EXPECT_EQ(camera.frozen, 1);
  EXPECT_EQ(live.button, L"Frys");
  EXPECT_FALSE(live.ok);
  EXPECT_FALSE(live.tools);
  EXPECT_FALSE(live.frame);
  EXPECT_TRUE(live.panel);
  EXPECT_EQ(panel.right - panel.left, 704);
  EXPECT_EQ(panel.bottom - panel.top, 396);
  EXPECT_EQ(frozen.button, L"Video");
  EXPECT_TRUE(frozen.tools);
  EXPECT_TRUE(frozen.frame);
  EXPECT_FALSE(frozen.panel);
  // The photo frame from the window's height (396 / 1.1 = 360, 3:4), lying
  // exactly on the part the overlay leaves clear.
  const ScreenRect clear = OverlayClearRect({704, 396}, {270, 360});
  EXPECT_EQ(frame.right - frame.left, 270);
  EXPECT_EQ(frame.bottom - frame.top, 360);
  EXPECT_EQ(frame.left - panel.left, clear.left);
  EXPECT_EQ(frame.top - panel.top, clear.top);
  // Shown at 704 x 396, so the frame is the picture's part from
  // (217, 18) x 1280 / 704 on, at the camera's resolution.
  ASSERT_EQ(stored.Width(), 491);
  ASSERT_EQ(stored.Height(), 655);
  for (const auto& [x, y] : {std::pair{0, 0}, std::pair{490, 654}, std::pair{245, 300}}) {
    const std::uint8_t* p = stored.Row(y) + 3 * x;
    EXPECT_NEAR(p[0], (395 + x) / 5, 1) << x << "," << y;
    EXPECT_NEAR(p[1], (33 + y) / 3, 1) << x << "," << y;
  }
}

}  // namespace
}  // namespace vemra
