#include <gtest/gtest.h>

#include "capture/framing/FramingTestUtil.h"
#include "capture/tone/ToneControls.h"

namespace vemra {
namespace {

using test::Framed;
using test::SameBgr;

Bitmap Brighter(Bitmap picture) {
  ApplyToneButton(kToneButtons[2], picture);  // "Ljus +"
  return picture;
}

// A tone button's change must survive whatever later rebuilds the working
// copy from another picture: a rotation (from the rotation source) and the
// undo of a blanking (from the undo copy).
TEST(BakeTone, SurvivesRotationAndBlankUndo) {
  struct Case {
    const char* name;
    void (*after)(CaptureFraming&);
  } cases[] = {
      {"nothing after", [](CaptureFraming&) {}},
      {"turned back to 0", [](CaptureFraming& f) { f.TurnBy(90); f.SetAngle(0); }},
      {"blank undone", [](CaptureFraming& f) { f.UndoBlank(); }},
  };
  for (const Case& c : cases) {
    CaptureFraming f = Framed(120, 160);
    const Bitmap before = f.WorkingCopy();
    f.Blank({10, 10, 50, 50}, BlankArea::kMarked);
    const Bitmap blanked = f.WorkingCopy();
    f.BakeTone([](Bitmap& p) { ApplyToneButton(kToneButtons[2], p); });
    c.after(f);
    const Bitmap& expected = std::string(c.name) == "nothing after" ? blanked : before;
    EXPECT_TRUE(SameBgr(f.WorkingCopy(), Brighter(expected))) << c.name;
    EXPECT_TRUE(SameBgr(f.Shown(), f.WorkingCopy())) << c.name;
  }
}

TEST(BakeTone, ShownIsRecomputedThroughTheToneApplierAndPlacementStays) {
  CaptureFraming f = Framed(120, 160);
  f.SetToneApplier(test::Invert);
  f.ZoomStep(kZoomInStep);
  const ScreenRect placed = f.Placement();
  f.BakeTone([](Bitmap& p) { ApplyToneButton(kToneButtons[12], p); });  // "Gråskala"
  Bitmap expected = f.WorkingCopy();
  test::Invert(f.WorkingCopy(), expected);
  EXPECT_TRUE(SameBgr(f.Shown(), expected));
  EXPECT_EQ(f.Placement(), placed);
}

TEST(BakeTone, WithoutAPictureDoesNothing) {
  CaptureFraming f;
  bool called = false;
  f.BakeTone([&](Bitmap&) { called = true; });
  EXPECT_FALSE(called);
  EXPECT_FALSE(f.HasPicture());
}

}  // namespace
}  // namespace vemra
