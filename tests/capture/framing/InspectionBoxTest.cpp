#include <gtest/gtest.h>

#include "capture/framing/FramingTestUtil.h"
#include "capture/framing/InspectionBox.h"

namespace vemra {
namespace {

TEST(InspectionBox, IsLaidOutFromItsDescription) {
  struct Case { const char* description; ScreenRect box; } cases[] = {
      {"", {0, 0, 360, 480}},
      {"Half=Left\t", {0, 0, 180, 480}},
      {"half=right\t", {180, 0, 180, 480}},
      {"HALF=Top\t", {0, 0, 360, 240}},
      {"Half=bottom\t", {0, 240, 360, 240}},
      {"Half=CENTER\t", {90, 120, 180, 240}},
      {"Width=200\tHeight=100\tLeft=10\tTop=20\t", {10, 20, 200, 100}},
      {"left=-40\ttop=300\twidth=100\theight=400\t", {-40, 300, 100, 400}},  // partly outside
      // Descriptions that name no usable box: the whole frame.
      {"Width=200\tHeight=100\tLeft=10\t", {0, 0, 360, 480}},
      {"Width=abc\tHeight=100\tLeft=10\tTop=20\t", {0, 0, 360, 480}},
      {"Width=20\tHeight=100\tLeft=10\tTop=20\t", {0, 0, 360, 480}},
      {"Width=200\tHeight=100\tLeft=360\tTop=20\t", {0, 0, 360, 480}},
      {"Width=200\tHeight=100\tLeft=-200\tTop=20\t", {0, 0, 360, 480}},
      {"Half=Middle\t", {0, 0, 360, 480}},
      {"garbage", {0, 0, 360, 480}},
  };
  for (const auto& c : cases) {
    InspectionBox box;
    box.Layout(c.description, kPhotoFrame);
    EXPECT_EQ(box.Box(), c.box) << c.description;
    EXPECT_FALSE(box.Changed());
  }
}

TEST(InspectionBox, PresetsSetBoxAndDescription) {
  struct Case { InspectionPreset preset; const char* description; ScreenRect box; } cases[] = {
      {InspectionPreset::kWhole, "", {0, 0, 360, 90}},
      {InspectionPreset::kLeft, "Half=Left\t", {0, 0, 180, 90}},
      {InspectionPreset::kRight, "Half=Right\t", {180, 0, 180, 90}},
      {InspectionPreset::kTop, "Half=Top\t", {0, 0, 360, 45}},
      {InspectionPreset::kBottom, "Half=Bottom\t", {0, 45, 360, 45}},
      {InspectionPreset::kCenter, "Half=Center\t", {90, 22, 180, 45}},
  };
  for (const auto& c : cases) {
    InspectionBox box;
    box.Layout("Width=100\tHeight=50\tLeft=5\tTop=5\t", kSignatureFrame);
    box.ApplyPreset(c.preset);
    EXPECT_EQ(box.Description(), c.description);
    EXPECT_EQ(box.Box(), c.box) << c.description;
    EXPECT_TRUE(box.Changed());
  }
  EXPECT_STREQ(kInspectionPresets[2].caption, "Halva bilden högerkant");
}

TEST(InspectionBox, DragsMoveFreelyAndResizeDownToTwiceTheHandle) {
  struct Case { bool resize; ScreenPoint to; ScreenRect box; const char* description; } cases[] = {
      {false, {130, 120}, {30, 20, 180, 480}, "Width=180\tHeight=480\tLeft=30\tTop=20\t"},
      {false, {-100, 100}, {-200, 0, 180, 480}, "Width=180\tHeight=480\tLeft=-200\tTop=0\t"},
      {false, {100, 100}, {0, 0, 180, 480}, "Width=180\tHeight=480\tLeft=0\tTop=0\t"},
      {true, {280, 100}, {0, 0, 360, 480}, ""},  // exactly the whole frame
      {true, {-100, -600}, {0, 0, 28, 28}, "Width=28\tHeight=28\tLeft=0\tTop=0\t"},
  };
  for (const auto& c : cases) {
    InspectionBox box;
    box.Layout("Half=Left\t", kPhotoFrame);
    EXPECT_EQ(box.Handle(), (ScreenPoint{165, 465}));
    if (c.resize)
      box.BeginResize({100, 100});
    else
      box.BeginMove({100, 100});
    box.DragTo(c.to);
    EXPECT_TRUE(box.EndDrag());
    EXPECT_EQ(box.Box(), c.box);
    EXPECT_EQ(box.Description(), c.description);
    EXPECT_EQ(box.Handle(), (ScreenPoint{c.box.Right() - 15, c.box.Bottom() - 15}));
    EXPECT_TRUE(box.Changed());
    EXPECT_FALSE(box.EndDrag());
    // What was written lays the same box out again.
    EXPECT_EQ(InspectionBoxFor(box.Description(), kPhotoFrame),
              (c.box.Right() > 0 ? c.box : ScreenRect{0, 0, 360, 480}));
  }
}

}  // namespace
}  // namespace vemra
