#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "capture/framing/FramingTestUtil.h"
#include "capture/framing/FreeRotation.h"
#include "capture/framing/PixelBlocks.h"

namespace vemra {
namespace {

using test::Framed;
using test::Gradient;
using test::PixelAt;
constexpr ColourValue kWhite = 0xFFFFFF;

// The rotation written step by step as described (canvas first, doubled
// coordinates, pixel by pixel), to hold the optimised one to.
Bitmap ReferenceRotation(const Bitmap& source, int degrees) {
  const int w = source.Width(), h = source.Height();
  const int side = std::max(w, h);
  const int dx = (side - w) / 2, dy = (side - h) / 2;
  const Bitmap canvas = PadWhite(source, side, side, dx, dy);
  const int cx = w / 2 + dx, cy = h / 2 + dy;
  const double t = -degrees * std::numbers::pi / 180;
  Bitmap out(side, side);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      const double u = 2 * (x - cx) + 1, v = 2 * (y - cy) + 1;
      const int p = (int(std::nearbyint(u * std::cos(t) - v * std::sin(t))) - 1) / 2;
      const int q = (int(std::nearbyint(u * std::sin(t) + v * std::cos(t))) - 1) / 2;
      const int sx = p + cx, sy = q + cy;
      const bool inside = sx >= 0 && sy >= 0 && sx < side && sy < side;
      test::SetPixel(out, x, y, inside ? PixelAt(canvas, sx, sy) : kWhite);
    }
  return out;
}

TEST(NormaliseAngle, BringsAnglesIntoMinus180To180) {
  struct Case { int in, out; } cases[] = {
      {0, 0}, {180, 180}, {-180, -180}, {181, -179}, {-181, 179}, {200, -160},
      {270, -90}, {360, 0}, {540, 180}, {-450, -90}, {725, 5},
  };
  for (const auto& c : cases) EXPECT_EQ(NormaliseAngle(c.in), c.out) << c.in;
}

TEST(RotateFree, MatchesTheStepByStepRotation) {
  const int angles[] = {1, -1, 17, 45, 90, -90, 135, 180, -179, 0};
  const std::pair<int, int> sizes[] = {{5, 3}, {4, 7}, {16, 16}, {31, 20}, {1, 1}, {2, 9}};
  for (auto [w, h] : sizes)
    for (int angle : angles) {
      const Bitmap source = Gradient(w, h);
      EXPECT_TRUE(test::SameBgr(RotateFree(source, angle), ReferenceRotation(source, angle)))
          << w << "x" << h << " by " << angle;
    }
}

TEST(RotateFree, TurnsClockwiseOntoAWhiteSquare) {
  // A 4 x 2 picture a quarter turn clockwise: its bottom row becomes the
  // left column of the content, which stands centred in a 4 x 4 square.
  Bitmap source(4, 2);
  for (int x = 0; x < 4; ++x) {
    test::SetPixel(source, x, 0, MakeColour(10 + x, 0, 0));
    test::SetPixel(source, x, 1, MakeColour(20 + x, 0, 0));
  }
  const Bitmap turned = RotateFree(source, 90);
  ASSERT_EQ(turned.Width(), 4);
  ASSERT_EQ(turned.Height(), 4);
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(PixelAt(turned, 0, y), kWhite);
    EXPECT_EQ(PixelAt(turned, 1, y), MakeColour(20 + y, 0, 0));
    EXPECT_EQ(PixelAt(turned, 2, y), MakeColour(10 + y, 0, 0));
    EXPECT_EQ(PixelAt(turned, 3, y), kWhite);
  }
  EXPECT_TRUE(RotateFree(Bitmap(), 10).Empty());
}

TEST(SetAngle, RotatesFromTheRotationSourceByTheTotalAngle) {
  // A camera's 4:3 landscape photo turned upright: a square with white
  // bars at left and right.
  CaptureFraming f = Framed(960, 720);
  const ScreenRect fitted = f.Placement();
  EXPECT_EQ(fitted, (ScreenRect{-140, 0, 640, 480}));
  const Bitmap original = f.WorkingCopy();
  f.SetAngle(90);
  EXPECT_EQ(f.WorkingCopy().Width(), 960);
  EXPECT_EQ(f.WorkingCopy().Height(), 960);
  EXPECT_EQ(PixelAt(f.WorkingCopy(), 50, 480), kWhite);
  EXPECT_EQ(PixelAt(f.WorkingCopy(), 909, 480), kWhite);
  EXPECT_NE(PixelAt(f.WorkingCopy(), 480, 480), kWhite);
  EXPECT_NE(PixelAt(f.WorkingCopy(), 480, 5), kWhite);
  EXPECT_EQ(f.Placement(), (ScreenRect{-140, -80, 640, 640}));
  f.SetAngle(0);  // back: the unpadded picture, the longer side kept
  EXPECT_TRUE(test::SameBgr(f.WorkingCopy(), original));
  EXPECT_EQ(f.Placement(), fitted);
  EXPECT_TRUE(test::SameBgr(f.RotationSource(), original));
}

TEST(SetAngle, OneDegreeStepsPastAHalfTurnWrapAround) {
  CaptureFraming f = Framed(40, 30, kSignatureFrame);
  for (int i = 0; i < 200; ++i) f.TurnBy(1);
  EXPECT_EQ(f.Angle(), -160);
  EXPECT_TRUE(test::SameBgr(f.WorkingCopy(), RotateFree(f.RotationSource(), -160)));
  f.TurnBy(90);
  f.TurnBy(90);
  f.TurnBy(-90);
  EXPECT_EQ(f.Angle(), -70);
}

TEST(SetAngle, KeepsTheFrameCoveredWhenTurningBackAfterZoomingOut) {
  // A landscape sheet in the portrait frame, turned, zoomed out to the
  // square's limit, and turned back to 0.
  CaptureFraming f = Framed(1000, 750);
  f.SetAngle(10);
  for (int i = 0; i < 5; ++i) f.ZoomStep(kZoomOutStep);
  f.SetAngle(0);
  EXPECT_TRUE(f.CoversFrame());
}

TEST(SetAngle, ANewPictureStartsAgainAtAngleZero) {
  CaptureFraming f = Framed(720, 960);
  f.SetAngle(12);
  f.SetPicture(Gradient(300, 400));
  EXPECT_EQ(f.Angle(), 0);
  EXPECT_EQ(f.WorkingCopy().Width(), 300);  // not rotated
  f.TurnBy(1);
  EXPECT_EQ(f.Angle(), 1);
  EXPECT_EQ(f.WorkingCopy().Width(), 400);
}

TEST(SetAngle, ReappliesTheToneAfterEachTurn) {
  CaptureFraming f = Framed(720, 960);
  f.SetToneApplier(test::Invert);
  f.SetAngle(30);
  EXPECT_EQ(PixelAt(f.Shown(), 0, 0), 0u);  // inverted white corner
  EXPECT_EQ(PixelAt(f.WorkingCopy(), 0, 0), kWhite);
}

}  // namespace
}  // namespace vemra
