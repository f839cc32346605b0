// Source 61 as the dialog drives it: the first video input device in the
// video panel, with the overlay over it.
#include <objbase.h>

#include <memory>
#include <stdexcept>

#include "base/ScopeExit.h"
#include "base/win32/Win32Windows.h"
#include "capture/framing/FrameTable.h"
#include "capture/video/CaptureOverlayModel.h"
#include "capture/video/VideoFitting.h"
#include "capture/win32/CaptureDialog.h"
#include "capture/win32/overlay/CaptureOverlay.h"
#include "capture/win32/video/DirectShowGraph.h"
#include "capture/win32/video/LiveVideos.h"
#include "imaging/win32/StatusWindow.h"

namespace vemra {

namespace {

// The renderer's owner: its clicks press the capture button.
LRESULT CALLBACK VideoWindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_ERASEBKGND) {
    RECT r{};
    GetClientRect(window, &r);
    FillRect(HDC(w), &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return 1;
  }
  if (message == WM_LBUTTONDOWN)
    if (HWND dialog = GetAncestor(window, GA_ROOT))
      PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(kIdCapture, BN_CLICKED),
                   LPARAM(GetDlgItem(dialog, kIdCapture)));
  return DefWindowProcW(window, message, w, l);
}

class DirectShowVideo final : public LiveVideo {
 public:
  DirectShowVideo(VideoPanel panel, int purpose) : panel_(std::move(panel)), purpose_(purpose) {}
  ~DirectShowVideo() override { Stop(); }

  Readiness Prepare() override {
    ShowStatus("Öppnar DS-källa...", true);
    ScopeExit hide([] { HideStatus(); });
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    comInitialised_ = SUCCEEDED(com);
    // No device name is configured: the first device is the camera.
    const std::vector<std::string> devices = EnumerateVideoDevices();
    if (devices.empty()) return Readiness::kNoCamera;
    graph_ = std::make_unique<DirectShowGraph>();
    if (!graph_->BuildVideoGraph(devices.front())) return Readiness::kFailed;
    PumpPendingMessages();
    window_ = FitVideoWindow(kDirectShowWindowSize, ParseVideoFormat(graph_->GetVideoFormatText()));
    return Readiness::kReady;
  }

  void Start() override {
    HWND panel = panel_();
    if (!panel || !graph_) return;
    if (!RegisterWindowClassOnce(ThisModule(), kDirectShowVideoClassName, VideoWindowProc)) return;
    video_ = CreateWindowExW(0, kDirectShowVideoClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                             0, 0, window_.width, window_.height, panel, nullptr, ThisModule(),
                             nullptr);
    graph_->ShowIn(video_, window_);
    graph_->Run();
    ShowOverlay();
  }

  Bitmap Freeze() override {
    if (!graph_) return {};
    Bitmap frame = graph_->LastFrame();
    if (!frame.Empty()) CloseCaptureOverlay();
    return frame;
  }

  void Resume() override { ShowOverlay(); }

  void Stop() override {
    CloseCaptureOverlay();
    graph_.reset();
    if (video_ && IsWindow(video_)) DestroyWindow(video_);
    video_ = nullptr;
    if (comInitialised_) CoUninitialize();
    comInitialised_ = false;
  }

  void DialogMoved() override {
    if (const POINT o = Origin(); video_) MoveCaptureOverlay(o.x, o.y);
  }

  ScreenSize LiveArea() const override { return window_; }
  int VideoWindowHeight() const override { return window_.height; }

 private:
  POINT Origin() const {
    POINT p{0, 0};
    if (video_) ClientToScreen(video_, &p);
    return p;
  }

  void ShowOverlay() {
    if (!video_) return;
    const ScreenSize frame = CaptureFrameSize(purpose_, kDirectShow, window_.height);
    const POINT o = Origin();
    ShowCaptureOverlay(GetAncestor(video_, GA_ROOT), o.x, o.y, window_,
                       OverlayClearRect(window_, frame));
  }

  VideoPanel panel_;
  int purpose_;
  std::unique_ptr<DirectShowGraph> graph_;
  ScreenSize window_ = kDirectShowWindowSize;
  HWND video_ = nullptr;
  bool comInitialised_ = false;
};

}  // namespace

std::unique_ptr<LiveVideo> MakeDirectShowVideo(VideoPanel panel, int purpose) {
  return std::make_unique<DirectShowVideo>(std::move(panel), purpose);
}

}  // namespace vemra
