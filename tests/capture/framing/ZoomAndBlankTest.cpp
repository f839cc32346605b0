#include <gtest/gtest.h>

#include "capture/framing/FramingTestUtil.h"
#include "capture/framing/FramingTools.h"
#include "capture/framing/StatusLine.h"

namespace vemra {
namespace {

using test::Framed;
using test::PixelAt;
constexpr ColourValue kWhite = 0xFFFFFF;

// The picture point under the frame centre, in picture pixels.
std::pair<double, double> CentrePoint(const CaptureFraming& f) {
  const ScreenRect p = f.Placement();
  const double r = f.PicturePerScreen();
  return {(f.Frame().width / 2.0 - p.left) * r, (f.Frame().height / 2.0 - p.top) * r};
}

TEST(ZoomStep, ScalesAboutTheFrameCentre) {
  struct Case { ScreenPoint pan; double factor; ScreenRect after; } cases[] = {
      {{0, 0}, kZoomInStep, {-18, -24, 396, 528}},  // 55 %
      {{0, 0}, kZoomInFine, {-2, -3, 364, 485}},
      {{0, 0}, kClickZoomOutStep, {0, 0, 360, 480}},  // already just covering: padded
  };
  for (const auto& c : cases) {
    CaptureFraming f = Framed(720, 960);
    f.MoveTo(c.pan.x, c.pan.y);
    f.ZoomStep(c.factor);
    EXPECT_EQ(f.Placement(), c.after) << c.factor;
    EXPECT_TRUE(f.CoversFrame());
  }
}

TEST(ZoomStep, KeepsThePicturePointUnderTheCentreAcrossSteps) {
  CaptureFraming f = Framed(720, 960);
  for (int i = 0; i < 10; ++i) f.ZoomStep(kZoomInStep);
  f.MoveTo(-300, -250);
  const auto before = CentrePoint(f);
  for (double factor : {kZoomInStep, kZoomInFine, kZoomOutStep, kZoomOutFine, kClickZoomOutStep}) {
    f.ZoomStep(factor);
    const auto after = CentrePoint(f);
    EXPECT_NEAR(after.first, before.first, 2.0) << factor;
    EXPECT_NEAR(after.second, before.second, 2.0) << factor;
    EXPECT_TRUE(f.CoversFrame());
  }
}

TEST(ZoomStep, ZoomInThenOutReturnsToTheFit) {
  CaptureFraming f = Framed(720, 960);
  f.ZoomStep(kZoomInStep);
  EXPECT_EQ(StatusLineTexts(kStatusZoom, StatusFactsOf(f, 0))[2], "Zoom: 55%");
  f.ZoomStep(kZoomOutStep);
  EXPECT_EQ(f.Placement(), (ScreenRect{0, 0, 360, 480}));
  EXPECT_EQ(f.Shown().Width(), 720);  // no padding was needed
}

// Zooming out past the fit pads every picture from its own content.
TEST(ZoomBy, PadsWithWhiteInsteadOfBaringTheFrame) {
  CaptureFraming f = Framed(720, 960);
  f.SetToneApplier(test::Invert);
  f.ReapplyTone();
  const Bitmap original = f.WorkingCopy();
  f.ZoomStep(kZoomOutStep);
  EXPECT_EQ(f.Placement(), (ScreenRect{0, 0, 360, 480}));
  for (const Bitmap* b : {&f.Shown(), &f.WorkingCopy(), &f.RotationSource()}) {
    EXPECT_EQ(b->Width(), 792);  // width stays width
    EXPECT_EQ(b->Height(), 1056);
  }
  EXPECT_EQ(PixelAt(f.WorkingCopy(), 0, 0), kWhite);
  EXPECT_EQ(PixelAt(f.Shown(), 0, 0), kWhite);
  EXPECT_EQ(PixelAt(f.Shown(), 791, 1055), kWhite);
  // The content sits at (36, 48), toned once in Im and not at all in ImCopy.
  EXPECT_EQ(PixelAt(f.WorkingCopy(), 36 + 100, 48 + 200), PixelAt(original, 100, 200));
  EXPECT_EQ(PixelAt(f.Shown(), 36 + 100, 48 + 200), ~PixelAt(original, 100, 200) & 0xFFFFFF);
  EXPECT_TRUE(f.CoversFrame());
}

TEST(ZoomBy, PaddingAfterARotationPadsTheRotationSourceAtItsOwnSize) {
  CaptureFraming f = Framed(720, 960);
  f.SetAngle(90);
  f.ZoomStep(kZoomOutStep);  // 480 x 480 shown in 360 x 480: padded
  EXPECT_EQ(f.WorkingCopy().Width(), 1056);
  EXPECT_EQ(f.RotationSource().Width(), 792);
  EXPECT_EQ(f.RotationSource().Height(), 1056);
  f.SetAngle(0);
  EXPECT_EQ(f.WorkingCopy().Width(), 792);
  EXPECT_TRUE(f.CoversFrame());
}

TEST(ZoomToRect, FillsTheFrameHeightWithTheMark) {
  struct Case { ScreenRect mark; ScreenRect after; } cases[] = {
      {{90, 120, 180, 240}, {-180, -240, 720, 960}},
      {{0, 0, 60, 80}, {0, 0, 2160, 2880}},
      {{300, 400, 60, 80}, {-1800, -2400, 2160, 2880}},  // clamped at the far corner
  };
  for (const auto& c : cases) {
    CaptureFraming f = Framed(720, 960);
    f.ZoomToRect(c.mark);
    EXPECT_EQ(f.Placement(), c.after) << c.mark.left;
  }
}

TEST(MoveTo, ClampsSoThePictureStillCoversTheFrame) {
  CaptureFraming f = Framed(1000, 1000);  // 480 x 480 in 360 x 480
  struct Case { ScreenPoint to, at; } cases[] = {
      {{-30, 0}, {-30, 0}}, {{10, 10}, {0, 0}}, {{-500, -5}, {-120, 0}},
  };
  for (const auto& c : cases) {
    f.MoveTo(c.to.x, c.to.y);
    EXPECT_EQ(f.Placement().left, c.at.x);
    EXPECT_EQ(f.Placement().top, c.at.y);
  }
}

TEST(FitAgain, RestoresTheFirstFit) {
  CaptureFraming f = Framed(1000, 700, kPhotoFrame, 80, true);
  const ScreenRect fitted = f.Placement();
  f.ZoomStep(kZoomInStep);
  f.ZoomStep(kZoomOutStep);
  f.ZoomStep(kZoomOutStep);
  f.MoveTo(-50, 0);
  f.FitAgain();
  EXPECT_EQ(f.Placement().left, fitted.left);
  EXPECT_EQ(f.Placement().height, fitted.height);
}

TEST(Blank, WhitensMarkedOrUnmarkedAreaWithOneUndo) {
  struct Case { BlankArea area; ColourValue inside, outside; } cases[] = {
      {BlankArea::kMarked, kWhite, 0},
      {BlankArea::kUnmarked, 0, kWhite},
  };
  for (const auto& c : cases) {
    CaptureFraming f = Framed(720, 960);  // two picture pixels per screen pixel
    const Bitmap original = f.Shown();
    const ScreenRect mark{10, 20, 30, 40};
    EXPECT_EQ(f.MarkInPicture(mark), (PictureRect{20, 40, 80, 120}));
    ASSERT_TRUE(f.Blank(mark, c.area));
    for (auto [x, y, in] : {std::tuple{20, 40, true}, {79, 119, true}, {19, 40, false}, {80, 119, false}}) {
      const ColourValue want = in ? c.inside : c.outside;
      EXPECT_EQ(PixelAt(f.Shown(), x, y), want ? want : PixelAt(original, x, y)) << x << "," << y;
      EXPECT_EQ(PixelAt(f.WorkingCopy(), x, y), PixelAt(f.Shown(), x, y));
    }
    EXPECT_TRUE(f.CanUndoBlank());
    EXPECT_TRUE(f.UndoBlank());
    EXPECT_TRUE(test::SameBgr(f.Shown(), original));
    EXPECT_FALSE(f.UndoBlank());
  }
}

TEST(Blank, TonesTheWorkingCopyOnlyOnce) {
  CaptureFraming f = Framed(720, 960);
  const Bitmap original = f.WorkingCopy();
  f.SetToneApplier(test::Invert);
  f.ReapplyTone();
  f.Blank({10, 20, 30, 40}, BlankArea::kMarked);
  f.ReapplyTone();
  EXPECT_EQ(PixelAt(f.WorkingCopy(), 300, 300), PixelAt(original, 300, 300));
  EXPECT_EQ(PixelAt(f.WorkingCopy(), 30, 50), kWhite);
  f.UndoBlank();
  EXPECT_TRUE(test::SameBgr(f.WorkingCopy(), original));
}

TEST(Blank, ARotationBringsTheBlankedAreaBack) {
  CaptureFraming f = Framed(720, 960);
  const Bitmap original = f.WorkingCopy();
  f.Blank({10, 20, 30, 40}, BlankArea::kMarked);
  f.TurnBy(1);
  f.TurnBy(-1);
  EXPECT_TRUE(test::SameBgr(f.WorkingCopy(), original));
  EXPECT_FALSE(f.CanUndoBlank());
}

TEST(FramingTools, TellsMarksFromClicks) {
  struct Case {
    ToolMode mode;
    PointerButton button;
    ScreenPoint from, to;
    ScreenRect after;
    bool zoomed, cutEnabled;
    int pictureWidth;  // 792 once padded by one zoom-out step
  } cases[] = {
      {ToolMode::kZoom, PointerButton::kLeft, {100, 100}, {100, 100}, {-18, -24, 396, 528}, true, false, 720},
      // A plain right click zooms out one step, not two.
      {ToolMode::kZoom, PointerButton::kRight, {100, 100}, {100, 100}, {0, 0, 360, 480}, true, false, 792},
      {ToolMode::kZoom, PointerButton::kRight, {100, 100}, {107, 200}, {0, 0, 360, 480}, true, false, 792},
      {ToolMode::kZoom, PointerButton::kRight, {90, 120}, {270, 360}, {-180, -240, 720, 960}, true, false, 720},
      {ToolMode::kCut, PointerButton::kLeft, {90, 120}, {270, 360}, {0, 0, 360, 480}, false, true, 720},
      {ToolMode::kCut, PointerButton::kRight, {90, 120}, {90, 120}, {0, 0, 360, 480}, false, false, 720},
  };
  for (const auto& c : cases) {
    CaptureFraming f = Framed(720, 960);
    FramingTools tools(f);
    tools.SetMode(c.mode);
    tools.Press(c.from, c.button);
    if (!(c.from == c.to)) tools.Move(c.to, false);
    EXPECT_EQ(tools.Release(c.to, c.button, false), c.zoomed);
    EXPECT_EQ(f.Placement(), c.after) << int(c.mode) << "/" << int(c.button);
    EXPECT_EQ(tools.CutEnabled(), c.cutEnabled);
    EXPECT_EQ(tools.Mark().has_value(), c.mode == ToolMode::kCut);
    EXPECT_EQ(f.Shown().Width(), c.pictureWidth) << c.to.x;
  }
}

TEST(FramingTools, LeftDragPansWithoutZoomingAndCutModeBlanksTheMark) {
  CaptureFraming f = Framed(1000, 1000);
  FramingTools tools(f);
  tools.Press({100, 100}, PointerButton::kLeft);
  tools.Move({130, 90}, false);
  EXPECT_EQ(tools.Cursor(), PictureCursor::kHand);
  EXPECT_FALSE(tools.Release({130, 90}, PointerButton::kLeft, false));
  EXPECT_EQ(f.Placement(), (ScreenRect{-30, 0, 480, 480}));
  EXPECT_EQ(tools.Cursor(), PictureCursor::kZoom);
  EXPECT_TRUE(tools.ZoomUndoEnabled());
  tools.ZoomUndo();
  EXPECT_EQ(f.Placement(), (ScreenRect{-60, 0, 480, 480}));
  EXPECT_FALSE(tools.ZoomUndoEnabled());

  tools.SetMode(ToolMode::kCut);
  EXPECT_EQ(tools.Cursor(), PictureCursor::kCross);
  tools.Press({200, 300}, PointerButton::kLeft);
  tools.Move({100, 200}, false);  // dragged up and left
  tools.Release({100, 200}, PointerButton::kLeft, false);
  EXPECT_EQ(tools.Mark(), (ScreenRect{100, 200, 100, 100}));
  ASSERT_TRUE(tools.CutMark(BlankArea::kMarked));
  EXPECT_FALSE(tools.Mark());
  EXPECT_FALSE(tools.CutEnabled());
  EXPECT_TRUE(tools.CutUndoEnabled());
  EXPECT_EQ(PixelAt(f.Shown(), 500, 600), kWhite);
  EXPECT_TRUE(tools.TakePreviewRefresh());
  EXPECT_FALSE(tools.TakePreviewRefresh());
}

}  // namespace
}  // namespace vemra
