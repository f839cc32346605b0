// Source 1 as the dialog drives it: TVideoCap in the video panel.
#include <memory>
#include <stdexcept>

#include "base/ScopeExit.h"
#include "capture/video/VideoFitting.h"
#include "capture/win32/video/LiveVideos.h"
#include "capture/win32/video/VideoCap.h"
#include "imaging/win32/StatusWindow.h"

namespace vemra {

namespace {

class VideoCapVideo final : public LiveVideo {
 public:
  VideoCapVideo(VideoPanel panel, int& chosenDriver)
      : panel_(std::move(panel)), chosenDriver_(chosenDriver) {}

  // Without a driver the panel stays black and "Frys" does nothing.
  Readiness Prepare() override { return Readiness::kReady; }

  void Start() override {
    HWND panel = panel_();
    if (!panel) return;
    cap_ = std::make_unique<TVideoCap>(panel, chosenDriver_);
    ShowStatus("Öppnar video...", true);
    ScopeExit hide([] { HideStatus(); });
    try {
      cap_->StartVideo(chosenDriver_);
    } catch (const std::exception&) {
    }
  }

  Bitmap Freeze() override { return cap_ ? cap_->FreezeVideoFrame() : Bitmap(); }
  void Resume() override {}
  void Stop() override { cap_.reset(); }
  ScreenSize LiveArea() const override { return kVideoPanelSize; }

 private:
  VideoPanel panel_;
  int& chosenDriver_;
  std::unique_ptr<TVideoCap> cap_;
};

}  // namespace

std::unique_ptr<LiveVideo> MakeVideoForWindows(VideoPanel panel, int& chosenDriver) {
  return std::make_unique<VideoCapVideo>(std::move(panel), chosenDriver);
}

}  // namespace vemra
