// The video sources as the session drives them, over a fake camera.
#include <gtest/gtest.h>

#include "capture/session/CaptureTexts.h"
#include "capture/session/VideoPictureSource.h"

namespace vemra {
namespace {

struct FakeCamera : LiveVideo {
  Readiness readiness = Readiness::kReady;
  Bitmap frame;
  std::string* log;
  explicit FakeCamera(std::string* l) : log(l) {}
  Readiness Prepare() override { return *log += "prepare;", readiness; }
  void Start() override { *log += "start;"; }
  Bitmap Freeze() override { return *log += "freeze;", frame; }
  void Resume() override { *log += "resume;"; }
  void Stop() override { *log += "stop;"; }
  ScreenSize LiveArea() const override { return {720, 540}; }
};

struct Host : SourceHost {
  std::vector<std::string> messages;
  int frames = 0;
  bool holds = true;
  void DeliverPicture(Bitmap, bool) override { ADD_FAILURE() << "fitted delivery"; }
  bool DeliverFrozenFrame(Bitmap, ScreenSize area) override {
    EXPECT_EQ(area, (ScreenSize{720, 540}));
    return ++frames, holds;
  }
  void ShowMessage(const std::string& t, MessageKind) override { messages.push_back(t); }
};

TEST(VideoPictureSource, FreezesAFrameAndGoesBackToLive) {
  std::string log;
  auto camera = std::make_unique<FakeCamera>(&log);
  FakeCamera& c = *camera;
  VideoPictureSource source(std::move(camera));
  Host host;
  ASSERT_TRUE(source.Prepare(host));
  EXPECT_TRUE(source.IsLive());
  source.Capture(host);  // before the timer: nothing to freeze
  EXPECT_TRUE(source.IsLive());
  source.DialogShown();
  source.DialogShown();
  source.Capture(host);  // no frame arrived yet: stays live
  EXPECT_TRUE(source.IsLive());
  c.frame = Bitmap(4, 3);
  source.Capture(host);
  EXPECT_FALSE(source.IsLive());
  EXPECT_EQ(host.frames, 1);
  EXPECT_EQ(source.ButtonCaption(), "Video");
  source.Capture(host);
  EXPECT_TRUE(source.IsLive());
  host.holds = false;  // too large to hold: the video stays live
  source.Capture(host);
  EXPECT_TRUE(source.IsLive());
  source.Stop();
  EXPECT_EQ(log, "prepare;start;freeze;freeze;resume;freeze;resume;stop;");
  EXPECT_TRUE(host.messages.empty());
}

TEST(VideoPictureSource, WithoutACameraTheDialogDoesNotOpen) {
  struct Case {
    LiveVideo::Readiness readiness;
    std::size_t messages;
  } cases[] = {{LiveVideo::Readiness::kNoCamera, 1}, {LiveVideo::Readiness::kFailed, 0}};
  for (const Case& c : cases) {
    std::string log;
    auto camera = std::make_unique<FakeCamera>(&log);
    camera->readiness = c.readiness;
    VideoPictureSource source(std::move(camera));
    Host host;
    EXPECT_FALSE(source.Prepare(host));
    EXPECT_FALSE(source.IsLive());
    ASSERT_EQ(host.messages.size(), c.messages);
    if (c.messages) {
      EXPECT_EQ(host.messages[0], "Ingen videokamera hittades. Anslut en kamera och försök igen.");
    }
  }
}

}  // namespace
}  // namespace vemra
