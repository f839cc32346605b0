#include <gtest/gtest.h>

#include "layout/printing/PreviewLayout.h"

namespace vemra {
namespace {

TEST(LayoutPreview, ShrinksOnlyWhatDoesNotFitTheScreen) {
  struct Case {
    int pw, ph, sw, sh;
    bool shrunk;
    int dw, dh, zoom;
    PixelRect window;
  } cases[] = {
      {324, 204, 1024, 768, false, 324, 204, 100, {307, 225, 717, 543}},
      {2000, 1000, 1280, 1024, true, 1194, 597, 60, {0, 8, 1280, 719}},
      {1000, 2000, 1280, 1024, true, 431, 862, 43, {381, 8, 898, 984}},  // height decides
      {1194, 862, 1280, 1024, false, 1194, 862, 100, {0, 24, 1280, 1000}},  // exactly the room
      {1195, 10, 1280, 1024, true, 1194, 10, 100, {0, 8, 1280, 132}},
  };
  for (const auto& c : cases) {
    const PreviewLayout l = LayoutPreview(c.pw, c.ph, c.sw, c.sh);
    EXPECT_EQ(l.shrunk, c.shrunk) << c.pw << "x" << c.ph;
    EXPECT_EQ(l.displayWidth, c.dw) << c.pw << "x" << c.ph;
    EXPECT_EQ(l.displayHeight, c.dh) << c.pw << "x" << c.ph;
    EXPECT_EQ(l.zoomPercent, c.zoom) << c.pw << "x" << c.ph;
    EXPECT_EQ(l.window, c.window) << c.pw << "x" << c.ph;
  }
}

TEST(FullSizeViewWidth, WidensUpToTheScreenRoomOnly) {
  EXPECT_EQ(FullSizeViewWidth(1280, 2000, 1280), 1280);  // already wider than the room
  EXPECT_EQ(FullSizeViewWidth(400, 500, 1280), 586);
  EXPECT_EQ(FullSizeViewWidth(400, 3000, 1280), 1194);
  EXPECT_EQ(FullSizeViewWidth(700, 500, 1280), 700);     // never narrowed
}

}  // namespace
}  // namespace vemra
