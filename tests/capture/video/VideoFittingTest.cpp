// Live video placement: the capture window in its panel, the DirectShow
// window around the device's frames, frozen frames and the driver list.
#include <gtest/gtest.h>

#include "capture/framing/FrameTable.h"
#include "capture/video/VideoDrivers.h"
#include "capture/video/VideoFitting.h"

namespace vemra {
namespace {

TEST(VideoFitting, DirectShowWindowFollowsTheDevice) {
  struct Case {
    const char* format;
    ScreenSize window;
    int frameWidth, frameHeight;
  } cases[] = {
      {"640 x 480", {704, 528}, 360, 480},   // same aspect: unchanged
      {"1280 x 720", {704, 396}, 270, 360},  // wide: the width binds
      {"480 x 640", {396, 528}, 360, 480},   // tall: the height binds
      {"abc x 480", {704, 528}, 360, 480},   // not a number: no change
      {"", {704, 528}, 360, 480},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    const ScreenSize window = FitVideoWindow(kDirectShowWindowSize, ParseVideoFormat(c.format));
    EXPECT_EQ(window, c.window);
    EXPECT_EQ(CaptureFrameSize(1, 61, window.height), (ScreenSize{c.frameWidth, c.frameHeight}));
  }
  EXPECT_EQ(VideoFormatText(1280, 720), "1280 x 720");
}

TEST(VideoFitting, CaptureWindowKeepsTheVideosAspectInsideThePanel) {
  struct Case {
    ScreenSize video, expected;
  } cases[] = {
      {{640, 480}, {720, 540}},
      {{320, 240}, {720, 540}},
      {{1280, 720}, {720, 405}},
      {{480, 640}, {405, 540}},
      {{0, 0}, {720, 540}},
  };
  for (const Case& c : cases) EXPECT_EQ(FitProportionally(c.video, kVideoPanelSize), c.expected);
}

TEST(VideoFitting, PreviewRate) {
  EXPECT_EQ(PreviewIntervalMs(30), 33);
  EXPECT_EQ(PreviewIntervalMs(60), 33);
  EXPECT_EQ(PreviewIntervalMs(15), 67);
  EXPECT_EQ(PreviewIntervalMs(0), 1000);
}

TEST(VideoFitting, FrozenFrameKeepsItsAspectAndCoversTheFrame) {
  struct Case {
    ScreenSize picture, area, frame, expected;
  } cases[] = {
      {{640, 480}, {720, 540}, {360, 480}, {720, 540}},
      {{1280, 720}, {704, 396}, {270, 360}, {704, 396}},
      // A wide camera in the 4:3 panel: taller than its live picture so
      // that the photo frame stays inside it.
      {{1280, 720}, {720, 540}, {360, 480}, {854, 480}},
      {{1280, 720}, {720, 540}, {720, 180}, {720, 405}},
      {{0, 0}, {720, 540}, {360, 480}, {0, 0}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FrozenDisplaySize(c.picture, c.area, c.frame), c.expected);
}

TEST(VideoDrivers, ListStopsAtTheFirstIndexWithoutADriver) {
  auto describe = [](int installed) {
    return [installed](int i) -> std::optional<VideoDriverDescription> {
      if (i >= installed) return std::nullopt;
      return VideoDriverDescription{"Kamera " + std::to_string(i), "1.0"};
    };
  };
  EXPECT_TRUE(ListVideoDrivers(describe(0)).empty());
  EXPECT_EQ(ListVideoDrivers(describe(2)), (std::vector<std::string>{"Kamera 0 1.0", "Kamera 1 1.0"}));
  EXPECT_EQ(ListVideoDrivers(describe(50)).size(), 10u);

  std::string name = "old";
  EXPECT_EQ(ChooseVideoDriver(1, describe(2), name), 1);
  EXPECT_EQ(name, "Kamera 1");
  for (int index : {2, -1, 10}) {
    EXPECT_EQ(ChooseVideoDriver(index, describe(50 * (index == 10) + 2), name), kNoVideoDriver);
    EXPECT_EQ(name, "");
  }
}

}  // namespace
}  // namespace vemra
