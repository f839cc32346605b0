#include "capture/session/VideoPictureSource.h"

#include <utility>

#include "capture/session/CaptureTexts.h"

namespace vemra {

VideoPictureSource::VideoPictureSource(std::unique_ptr<LiveVideo> video)
    : video_(std::move(video)) {}

bool VideoPictureSource::Prepare(SourceHost& host) {
  switch (video_->Prepare()) {
    case LiveVideo::Readiness::kReady: live_ = true; return true;
    case LiveVideo::Readiness::kNoCamera:
      host.ShowMessage(capture_texts::kNoVideoCamera, MessageKind::kInformation);
      return false;
    case LiveVideo::Readiness::kFailed: break;
  }
  return false;
}

void VideoPictureSource::DialogShown() {
  if (started_ || !live_) return;
  started_ = true;
  video_->Start();
}

void VideoPictureSource::Capture(SourceHost& host) {
  if (!live_) {
    video_->Resume();
    live_ = true;
    return;
  }
  // A press before the timer started the video has nothing to freeze.
  if (!started_) return;
  Bitmap frame = video_->Freeze();
  if (frame.Empty()) return;
  live_ = false;
  if (!host.DeliverFrozenFrame(std::move(frame), video_->LiveArea())) {
    video_->Resume();
    live_ = true;
  }
}

void VideoPictureSource::Stop() {
  video_->Stop();
  live_ = false;
}

}  // namespace vemra
