#include <gtest/gtest.h>

#include "capture/framing/FrameTable.h"
#include "capture/framing/FramingTestUtil.h"

namespace vemra {
namespace {

using test::Framed;
using test::Gradient;

TEST(FrameTable, GivesThePurposeItsAspectAndTheDialogItsSize) {
  struct Case { int purpose, source, videoHeight; ScreenSize frame, dialog; } cases[] = {
      {1, 3, 0, {360, 480}, {482, 580}},
      {1, 2, 0, {360, 480}, {482, 580}},
      {1, 1, 0, {360, 480}, {482, 580}},
      {1, 61, 528, {360, 480}, {482, 580}},
      {1, 61, 480, {327, 436}, {449, 536}},  // 436.36 -> 436, 327 (from 327.0)
      {1, 61, 0, {360, 480}, {482, 580}},    // no video window yet
      {2, 1, 0, {720, 180}, {842, 280}},
      {2, 3, 0, {360, 90}, {482, 190}},
      {2, 61, 528, {360, 90}, {482, 190}},
  };
  for (const auto& c : cases) {
    const ScreenSize frame = CaptureFrameSize(c.purpose, c.source, c.videoHeight);
    EXPECT_EQ(frame, c.frame) << c.purpose << "/" << c.source;
    EXPECT_EQ(StillDialogSize(frame), c.dialog) << c.purpose << "/" << c.source;
  }
}

TEST(FrameTable, ScalesDialogsByTheScreenResolution) {
  struct Case { int dpi; ScreenSize size, scaled; } cases[] = {
      {96, {482, 580}, {482, 580}},
      {120, {482, 580}, {602, 725}},  // 602.5 rounds to even
      {144, {800, 600}, {1200, 900}},
      {72, {482, 190}, {362, 142}},   // 361.5 -> 362, 142.5 -> 142
  };
  for (const auto& c : cases) EXPECT_EQ(ScaleForDpi(c.size, c.dpi), c.scaled) << c.dpi;
}

// Placement and stored region of a freshly fitted picture.
TEST(SetPicture, FitsThePartOfTheSheetThisRunIsAbout) {
  struct Case {
    int width, height;
    ScreenSize frame;
    int split;
    bool vertical;
    ScreenRect placement;
    ScreenSize stored;
  } cases[] = {
      // Unsplit: centred, overflowing one way.
      {1000, 1000, kPhotoFrame, 0, false, {-60, 0, 480, 480}, {750, 1000}},
      {720, 960, kPhotoFrame, 0, false, {0, 0, 360, 480}, {720, 960}},
      {1600, 900, kSignatureFrame, 0, false, {0, -56, 360, 202}, {1600, 400}},  // 202.5
      // First part: at the left (vertical) or the top.
      {1000, 700, kPhotoFrame, 80, true, {0, 0, 686, 480}, {525, 700}},
      {1000, 700, kPhotoFrame, 80, false, {-248, 0, 857, 600}, {420, 560}},
      // Positions outside 1..100 are no split.
      {1000, 1000, kPhotoFrame, 150, true, {-60, 0, 480, 480}, {750, 1000}},
      {1000, 1000, kPhotoFrame, -5, true, {-60, 0, 480, 480}, {750, 1000}},
      // The remainder without a kept sheet: the whole picture, not a
      // division by zero.
      {1000, 1000, kPhotoFrame, 100, true, {-60, 0, 480, 480}, {750, 1000}},
  };
  for (const auto& c : cases) {
    const CaptureFraming f = Framed(c.width, c.height, c.frame, c.split, c.vertical);
    EXPECT_EQ(f.Placement(), c.placement) << c.width << "x" << c.height << " split " << c.split;
    EXPECT_EQ(f.StoredRegion()->size, c.stored) << c.width << "x" << c.height << " split " << c.split;
    EXPECT_TRUE(f.CoversFrame());
  }
}

TEST(SetPicture, StoresExactlyWhatTheFrameShows) {
  const CaptureFraming f = Framed(1000, 1000);
  const StoreRegion region = *f.StoredRegion();
  EXPECT_EQ(region.source, (PictureRect{125, 0, 875, 1000}));
  const Bitmap stored = f.StorePicture();
  ASSERT_EQ(stored.Width(), 750);
  ASSERT_EQ(stored.Height(), 1000);
  for (auto [x, y] : {std::pair{0, 0}, {749, 999}, {300, 500}})
    EXPECT_EQ(test::PixelAt(stored, x, y), test::PixelAt(f.Shown(), x + 125, y));
}

// One dialog object, the photo run then the signature run over one sheet.
TEST(SetPicture, KeepsTheSheetForTheRemainderRun) {
  struct Case {
    bool vertical;
    ScreenSize photoPart;
    ScreenRect photo, signature;
    PictureRect signatureSource;
  } cases[] = {
      {true, {800, 700}, {0, 0, 686, 480}, {-1440, -585, 1800, 1260}, {800, 325, 1000, 375}},
      {false, {1000, 560}, {-248, 0, 857, 600}, {-141, -360, 643, 450}, {219, 560, 779, 700}},
  };
  for (const auto& c : cases) {
    CaptureFraming f;
    f.SetFrame(kPhotoFrame);
    f.SetSplit(80, c.vertical);
    f.SetPicture(Gradient(1000, 700));
    EXPECT_EQ(f.PartExtent(), c.photoPart);
    EXPECT_EQ(f.Placement(), c.photo);
    f.SetAngle(5);  // framing the photo does not touch the kept sheet
    f.ZoomStep(kZoomInStep);

    f.SetSplit(100, c.vertical);
    f.SetFrame(kSignatureFrame);
    ASSERT_TRUE(f.ShowKeptSheet());
    EXPECT_EQ(f.Shown().Width(), 1000);
    EXPECT_EQ(f.Angle(), 0);
    EXPECT_EQ(f.Placement(), c.signature) << c.vertical;
    EXPECT_EQ(f.StoredRegion()->source, c.signatureSource) << c.vertical;
    f.ZoomStep(kZoomInStep);
    f.FitAgain();
    EXPECT_EQ(f.Placement(), c.signature) << "fit again frames the remainder again";
  }
}

TEST(SetPicture, RemainderRunWithoutAKeptSheetLeavesTheFrameEmpty) {
  CaptureFraming f;
  f.SetSplit(100, true);
  f.SetFrame(kSignatureFrame);
  EXPECT_FALSE(f.ShowKeptSheet());
  EXPECT_FALSE(f.HasPicture());
  EXPECT_FALSE(f.StoredRegion());
  EXPECT_TRUE(f.StorePicture().Empty());
}

// A cleared frame stores nothing, yet the sheet kept for the remainder run
// is still there for it.
TEST(SetPicture, ClearingLeavesNothingToStoreButKeepsTheSheet) {
  CaptureFraming f;
  f.SetFrame(kPhotoFrame);
  f.SetSplit(80, false);
  f.SetPicture(Gradient(1000, 700));
  f.SetAngle(5);
  f.ClearPicture();
  EXPECT_FALSE(f.HasPicture());
  EXPECT_FALSE(f.StoredRegion());
  EXPECT_TRUE(f.StorePicture().Empty());
  EXPECT_EQ(f.Angle(), 0);
  f.SetSplit(100, false);
  f.SetFrame(kSignatureFrame);
  ASSERT_TRUE(f.ShowKeptSheet());
  EXPECT_EQ(f.Shown().Width(), 1000);
}

TEST(SetPicture, IgnoresAnEmptyPictureAndConvertsOthersTo24Bits) {
  CaptureFraming f = Framed(720, 960);
  f.SetPicture(Bitmap());
  EXPECT_EQ(f.Shown().Width(), 720);
  Bitmap grey(40, 40, PixelFormat::pf8bit);
  f.SetPicture(grey);
  EXPECT_EQ(f.WorkingCopy().Format(), PixelFormat::pf24bit);
  EXPECT_EQ(f.Placement(), (ScreenRect{-60, 0, 480, 480}));
}

TEST(SetPicture, AFrozenVideoFrameShownAtItsWindowSizeStillCoversTheFrame) {
  CaptureFraming f;
  f.SetFrame(CaptureFrameSize(1, 61, 480));  // 327 x 436
  f.SetPicture(Gradient(640, 480), false, {640, 480});
  EXPECT_EQ(f.Placement(), (ScreenRect{-156, -22, 640, 480}));
  f.SetPicture(Gradient(320, 240), false, {200, 150});  // a window smaller than the frame
  EXPECT_TRUE(f.CoversFrame());
}

TEST(StoredRegion, StaysInsideThePictureWhenRoundingReachesPastIt) {
  // A picture shown out of its own aspect, as a grabbed video frame is.
  CaptureFraming f;
  f.SetFrame(kPhotoFrame);
  f.SetPicture(Gradient(100, 100), false, {360, 520});
  const StoreRegion region = *f.StoredRegion();
  EXPECT_EQ(region.size, (ScreenSize{100, 133}));
  EXPECT_EQ(region.source, (PictureRect{0, 6, 100, 100}));
  EXPECT_EQ(f.StorePicture().Height(), 133);
}

}  // namespace
}  // namespace vemra

namespace vemra {
namespace {

TEST(SetFrame, RefitsAPictureAlreadyShown) {
  CaptureFraming f = test::Framed(1000, 1000);
  f.ZoomStep(kZoomInStep);
  f.SetFrame(kSignatureFrame);
  EXPECT_EQ(f.Placement(), (ScreenRect{0, -135, 360, 360}));
  f.SetFrame({0, 0});  // ignored
  EXPECT_EQ(f.Frame(), kSignatureFrame);
}

TEST(AdoptCorrected, BecomesEveryPictureAtAngleZero) {
  CaptureFraming f = test::Framed(720, 960);
  f.SetAngle(10);
  const ScreenRect placed = f.Placement();
  const Bitmap corrected = test::Filled(960, 960, 0x102030);
  f.AdoptCorrected(corrected);
  EXPECT_EQ(f.Angle(), 0);
  EXPECT_EQ(f.Placement(), placed);
  for (const Bitmap* b : {&f.Shown(), &f.WorkingCopy(), &f.RotationSource()})
    EXPECT_TRUE(test::SameBgr(*b, corrected));
  f.TurnBy(0);
  EXPECT_TRUE(test::SameBgr(f.WorkingCopy(), corrected));
}

TEST(ScreenRegion, CutsTheWorkingCopyAtScreenResolution) {
  CaptureFraming f = test::Framed(720, 960);  // two picture pixels per screen pixel
  f.SetToneApplier(test::Invert);
  const Bitmap region = f.ScreenRegion({10, 20, 30, 40});
  ASSERT_EQ(region.Width(), 30);
  ASSERT_EQ(region.Height(), 40);
  EXPECT_EQ(test::PixelAt(region, 0, 0), test::PixelAt(f.WorkingCopy(), 20, 40));
  EXPECT_EQ(test::PixelAt(region, 29, 39), test::PixelAt(f.WorkingCopy(), 78, 118));
  // A box reaching past the picture is white there.
  const Bitmap past = f.ScreenRegion({350, 470, 20, 20});
  EXPECT_EQ(test::PixelAt(past, 15, 15), 0xFFFFFFu);
  EXPECT_EQ(test::PixelAt(past, 5, 5), test::PixelAt(f.WorkingCopy(), 710, 950));
}

TEST(ZoomBy, StopsPaddingAndGrowingAtTheLimits) {
  CaptureFraming f = test::Framed(100, 60000);  // shown 360 x 216000
  f.ZoomStep(kZoomOutStep);  // would need a 110 x 66000 picture
  EXPECT_EQ(f.WorkingCopy().Height(), 60000);
  EXPECT_EQ(f.Placement().height, 216000);
  for (int i = 0; i < 20; ++i) f.ZoomStep(kZoomInStep);
  EXPECT_LE(f.Placement().height, kMaxDisplayedSide);
  EXPECT_TRUE(f.CoversFrame());
}

}  // namespace
}  // namespace vemra
