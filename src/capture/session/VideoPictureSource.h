#pragma once
// Sources 1 (Video for Windows) and 61 (DirectShow): live video in the
// dialog, frozen into a still picture by "Frys" and back to live by the
// next press.
#include <memory>

#include "capture/session/PictureSource.h"

namespace vemra {

// A live camera as the dialog uses it; the library binds the two kinds of
// driver, tests a fake.
class LiveVideo {
 public:
  virtual ~LiveVideo() = default;
  enum class Readiness { kReady, kNoCamera, kFailed };
  // Before the dialog shows.
  virtual Readiness Prepare() = 0;
  // The dialog is on screen: the live picture starts.
  virtual void Start() = 0;
  // The current frame taken from the driver, or an empty bitmap when none
  // has arrived yet. The live picture is hidden by the dialog afterwards.
  virtual Bitmap Freeze() = 0;
  // Back to the live picture after a still one.
  virtual void Resume() = 0;
  virtual void Stop() = 0;
  virtual void DialogMoved() {}
  virtual ScreenSize LiveArea() const = 0;
  virtual int VideoWindowHeight() const { return 0; }
};

class VideoPictureSource final : public PictureSource {
 public:
  explicit VideoPictureSource(std::unique_ptr<LiveVideo> video);

  // Without a camera the user hears so and the dialog does not open.
  bool Prepare(SourceHost& host) override;
  std::string ButtonCaption() const override { return "Video"; }
  bool IsLive() const override { return live_; }
  // Live: freezes a frame (none yet: stays live). Still: back to live.
  void Capture(SourceHost& host) override;
  void Stop() override;
  void DialogShown() override;
  void DialogMoved() override { video_->DialogMoved(); }
  ScreenSize LiveArea() const override { return video_->LiveArea(); }
  int VideoWindowHeight() const override { return video_->VideoWindowHeight(); }

 private:
  std::unique_ptr<LiveVideo> video_;
  bool live_ = false, started_ = false;
};

}  // namespace vemra
