// The overlay over live video and its settings dialog, driven in-process
// from a thread timer.
#include "capture/win32/overlay/CaptureOverlay.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "../WindowPicture.h"
#include "capture/win32/overlay/CaptureOverlaySettings.h"

namespace vemra {
namespace {

std::wstring TextOf(HWND window) {
  wchar_t text[128] = L"";
  GetWindowTextW(window, text, 128);
  return text;
}

BYTE AlphaOf(HWND window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  GetLayeredWindowAttributes(window, nullptr, &alpha, &flags);
  return alpha;
}

// The settings dialog, acted on by `act` once it is open.
std::function<void(HWND)> pending;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  HWND d = FindWindowW(kOverlaySettingsClassName, nullptr);
  if (!d || !IsWindowVisible(d) || !pending) return;
  auto act = std::move(pending);
  pending = nullptr;
  act(d);
}
bool Edit(std::function<void(HWND)> act) {
  pending = std::move(act);
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
  const bool ok = EditCaptureOverlay();
  KillTimer(nullptr, timer);
  EXPECT_FALSE(pending) << "the settings dialog never opened";
  pending = nullptr;
  return ok;
}

void MoveTrackBar(HWND d, int position) {
  HWND bar = GetDlgItem(d, kIdOverlayOpacity);
  SendMessageW(bar, TBM_SETPOS, TRUE, position);
  SendMessageW(d, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), LPARAM(bar));
}

void PickColour(HWND d, int index) {
  SendDlgItemMessageW(d, kIdOverlayColour, CB_SETCURSEL, WPARAM(index), 0);
  SendMessageW(d, WM_COMMAND, MAKEWPARAM(kIdOverlayColour, CBN_SELCHANGE),
               LPARAM(GetDlgItem(d, kIdOverlayColour)));
}

void Press(HWND d, int id) { PostMessageW(d, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

TEST(CaptureOverlay, TintsAllButTheFrameAndItsSettingsApplyAtOnce) {
  LibraryOverlayLook() = OverlayLook{};
  const ScreenRect clear{172, 24, 360, 480};
  ShowCaptureOverlay(nullptr, 40, 30, {704, 528}, clear);
  HWND o = CaptureOverlayWindow();
  ASSERT_TRUE(o);
  EXPECT_TRUE(IsWindowVisible(o));
  EXPECT_EQ(AlphaOf(o), 127);
  EXPECT_EQ(ShownOverlayLook().colour, (Rgb{128, 128, 128}));

  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(o, region), ERROR);
  struct Point {
    int x, y;
    bool tinted;
  } points[] = {{5, 5, true},     {171, 300, true},  {172, 24, false},
                {531, 503, false}, {532, 300, true},  {700, 520, true}};
  for (const Point& p : points) EXPECT_EQ(bool(PtInRegion(region, p.x, p.y)), p.tinted) << p.x << "," << p.y;
  DeleteObject(region);

  MoveCaptureOverlay(60, 70);
  RECT r{};
  GetWindowRect(o, &r);
  EXPECT_EQ(r.left, 60);
  EXPECT_EQ(r.top, 70);

  // The track bar at 0: fully transparent at once; Cancel brings back
  // both the opacity and a colour tried meanwhile.
  std::wstring label, caption;
  BYTE alphaWhileOpen = 99;
  EXPECT_FALSE(Edit([&](HWND d) {
    caption = TextOf(d);
    MoveTrackBar(d, 0);
    label = TextOf(GetDlgItem(d, kIdOverlayOpacityLabel));
    alphaWhileOpen = AlphaOf(o);
    PickColour(d, 13);  // "Blå"
    Press(d, IDCANCEL);
  }));
  EXPECT_EQ(caption, L"Inst\u00e4llningar");
  EXPECT_EQ(label, L"Opacitet: 0%");
  EXPECT_EQ(alphaWhileOpen, 0);
  EXPECT_EQ(AlphaOf(o), 127);
  EXPECT_EQ(ShownOverlayLook(), OverlayLook{});

  // "Röd" with OK holds for the next overlay.
  int selected = -1;
  EXPECT_TRUE(Edit([&](HWND d) {
    selected = int(SendDlgItemMessageW(d, kIdOverlayColour, CB_GETCURSEL, 0, 0));
    PickColour(d, 10);
    MoveTrackBar(d, 100);
    SaveScreenshot(d, "overlay-settings.bmp");
    Press(d, IDOK);
  }));
  EXPECT_EQ(selected, 8);  // "Grå", the starting colour
  CloseCaptureOverlay();
  EXPECT_FALSE(CaptureOverlayWindow());
  EXPECT_FALSE(IsWindow(o));
  ShowCaptureOverlay(nullptr, 0, 0, {300, 200}, {10, 10, 50, 50});
  EXPECT_EQ(ShownOverlayLook(), (OverlayLook{{255, 0, 0}, 255}));
  EXPECT_EQ(AlphaOf(CaptureOverlayWindow()), 255);
  CloseCaptureOverlay();
  LibraryOverlayLook() = OverlayLook{};
}

// Modal towards the capture dialog, here a stand-in window with a focused
// button: "Frys", OK and "Avbryt" wait until the settings close.
TEST(CaptureOverlay, TheSettingsAreModalTowardsTheCaptureDialog) {
  for (int button : {IDOK, IDCANCEL}) {
    SCOPED_TRACE(button);
    HWND dialog = CreateWindowExW(0, L"STATIC", L"Importera Foto", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                                  0, 400, 300, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    HWND frys = CreateWindowExW(0, L"BUTTON", L"Frys", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10,
                                80, 24, dialog, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(dialog);
    SetFocus(frys);
    bool dialogEnabled = true;
    HWND owner = nullptr;
    Edit([&](HWND d) {
      dialogEnabled = IsWindowEnabled(dialog);
      owner = GetWindow(d, GW_OWNER);
      Press(d, button);
    });
    EXPECT_FALSE(dialogEnabled);
    EXPECT_EQ(owner, dialog);
    EXPECT_TRUE(IsWindowEnabled(dialog));
    EXPECT_EQ(GetFocus(), frys);
    DestroyWindow(dialog);
  }
}

}  // namespace
}  // namespace vemra
