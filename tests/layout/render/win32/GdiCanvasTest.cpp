#include "layout/render/win32/GdiCanvas.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "layout/render/PartialOpacity.h"

namespace vemra {
namespace {

constexpr ColourValue kWhite = 0xFFFFFF, kRed = MakeColour(255, 0, 0), kBlue = MakeColour(0, 0, 255),
                      kGreen = MakeColour(0, 255, 0);

ColourValue At(const Bitmap& b, int x, int y) {
  const std::uint8_t* p = b.Row(y) + 3 * x;
  return MakeColour(p[2], p[1], p[0]);
}

Bitmap Filled(int w, int h, ColourValue c) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Row(y)[3 * x] = std::uint8_t(BlueOf(c)), b.Row(y)[3 * x + 1] = std::uint8_t(GreenOf(c)), b.Row(y)[3 * x + 2] = std::uint8_t(RedOf(c));
  return b;
}

// Bounds of every pixel that is not white; empty when there is none.
PixelRect Ink(const Bitmap& b) {
  PixelRect r{b.Width(), b.Height(), 0, 0};
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (At(b, x, y) != kWhite)
        r = {std::min(r.left, x), std::min(r.top, y), std::max(r.right, x + 1), std::max(r.bottom, y + 1)};
  return r;
}

int GdiObjectCount() {
  if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return int(n);
  // Wine does not count; its handle table answers for bare indices.
  int live = 0;
  for (ULONG_PTR i = 1; i < 0x10000; ++i) live += GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
  return live;
}

TEST(GdiCanvas, ShapesLandOnTheirPixels) {
  GdiBitmapCanvas canvas(100, 60);
  canvas.SetPen({PenStyle::Solid, kRed, 1});
  canvas.SetBrush({BrushStyle::Solid, kBlue});
  canvas.Rectangle({10, 10, 30, 30});
  canvas.SetPen({PenStyle::Clear, 0, 1});
  canvas.SetBrush({BrushStyle::Solid, kRed});
  canvas.Ellipse({60, 10, 90, 40});
  canvas.SetPen({PenStyle::Solid, 0, 1});
  canvas.Line(0, 50, 99, 50);
  canvas.FillRect({40, 10, 50, 20}, kGreen);
  canvas.SetBrush({BrushStyle::Clear, 0});
  canvas.SetPen({PenStyle::Clear, 0, 1});
  canvas.Rectangle({0, 0, 8, 8});  // neither outline nor fill
  const Bitmap b = canvas.Pixels();
  struct Probe { int x, y; ColourValue colour; } probes[] = {
      {10, 10, kRed}, {29, 29, kRed}, {20, 20, kBlue}, {30, 30, kWhite},
      {75, 25, kRed}, {60, 10, kWhite}, {50, 50, 0}, {99, 50, kWhite}, {50, 49, kWhite},
      {40, 10, kGreen}, {49, 19, kGreen}, {50, 20, kWhite}, {0, 0, kWhite}, {4, 4, kWhite},
  };
  for (const Probe& p : probes) EXPECT_EQ(At(b, p.x, p.y), p.colour) << p.x << "," << p.y;
}

TEST(GdiCanvas, HatchRunsFromLowerLeftToUpperRightOverAClearGround) {
  GdiBitmapCanvas canvas(40, 40);
  canvas.SetPen({PenStyle::Clear, 0, 1});
  canvas.SetBrush({BrushStyle::DiagonalHatch, MakeColour(128, 128, 128)});
  canvas.Rectangle({0, 0, 40, 40});
  const Bitmap b = canvas.Pixels();
  int grey = 0, white = 0, rising = 0, falling = 0;
  for (int y = 1; y < 39; ++y)
    for (int x = 1; x < 39; ++x) {
      const ColourValue c = At(b, x, y);
      ASSERT_TRUE(c == kWhite || c == MakeColour(128, 128, 128)) << x << "," << y;
      if (c == kWhite) { ++white; continue; }
      ++grey;
      rising += At(b, x + 1, y - 1) == c;
      falling += At(b, x + 1, y + 1) == c;
    }
  EXPECT_GT(grey, 40);
  EXPECT_GT(white, grey);
  EXPECT_GT(rising, grey * 9 / 10);
  EXPECT_LT(falling, grey / 10);
}

TEST(GdiCanvas, TextLandsInsideItsBoxAndTurnsWithTheEscapement) {
  GdiBitmapCanvas canvas(300, 300);
  canvas.SetFont({"Arial", -20, false, false, 0, 0});
  const std::string text = "K\xe5g\xe4";  // Windows-1252
  const int width = canvas.TextWidth(text);
  const FontMetrics metrics = canvas.Metrics();
  ASSERT_GT(width, 20);
  ASSERT_GE(metrics.height, 20);
  EXPECT_GT(metrics.ascent, 10);
  canvas.TextOut(20, 30, text);
  PixelRect ink = Ink(canvas.Pixels());
  EXPECT_GE(ink.left, 20);
  EXPECT_GE(ink.top, 30);
  EXPECT_LE(ink.right, 20 + width + 1);
  EXPECT_LE(ink.bottom, 30 + metrics.height);
  EXPECT_GT(ink.Width(), width / 2);

  GdiBitmapCanvas turned(300, 300);
  turned.SetFont({"Arial", -20, false, false, 0, 900});
  EXPECT_EQ(turned.TextWidth(text), width);  // measured upright
  turned.TextOut(50, 250, text);             // reads upwards from (50, 250)
  ink = Ink(turned.Pixels());
  EXPECT_GE(ink.left, 50);
  EXPECT_LE(ink.right, 50 + metrics.height + 1);
  EXPECT_LE(ink.bottom, 251);
  EXPECT_GE(ink.top, 250 - width - 1);
  EXPECT_GT(ink.Height(), width / 2);
}

TEST(GdiCanvas, FormattedTextAlignsAndSpacingWidens) {
  GdiBitmapCanvas canvas(200, 40);
  canvas.SetFont({"Arial", -16, true, false, kBlue, 0});
  const int width = canvas.TextWidth("Mitt");
  canvas.DrawFormattedText({0, 0, 200, 40}, "Mitt", kAlignCentre | kWordBreak | kNoPrefix);
  const PixelRect ink = Ink(canvas.Pixels());
  EXPECT_NEAR(ink.left, (200 - width) / 2, 3);
  canvas.SetCharacterExtra(5);
  EXPECT_EQ(canvas.TextWidth("Mitt"), width + 4 * 5);
  canvas.SetCharacterExtra(0);
  EXPECT_EQ(canvas.TextWidth("Mitt"), width);
}

TEST(GdiCanvas, StretchDrawHonoursTheKeyColour) {
  Bitmap picture = Filled(2, 2, kRed);
  picture.Row(0)[0] = picture.Row(0)[1] = picture.Row(0)[2] = 0xFF;  // top-left white
  GdiBitmapCanvas canvas(40, 40);
  canvas.FillRect({0, 0, 40, 40}, kBlue);
  canvas.StretchDraw({0, 0, 20, 20}, picture);
  picture.transparent = true;
  picture.transparentColour = kWhite;
  canvas.StretchDraw({20, 20, 40, 40}, picture);
  const Bitmap b = canvas.Pixels();
  EXPECT_EQ(At(b, 5, 5), kWhite);
  EXPECT_EQ(At(b, 15, 15), kRed);
  EXPECT_EQ(At(b, 25, 25), kBlue);  // the key colour let the canvas through
  EXPECT_EQ(At(b, 35, 25), kRed);
}

TEST(GdiCanvas, TransferBitsCopiesOrCombinesByAnd) {
  GdiBitmapCanvas canvas(20, 10);
  canvas.FillRect({0, 0, 20, 10}, MakeColour(255, 255, 0));
  EXPECT_TRUE(canvas.TransferBits({0, 0, 10, 10}, Filled(1, 1, MakeColour(0, 255, 255)), false));
  EXPECT_TRUE(canvas.TransferBits({10, 0, 20, 10}, Filled(1, 1, MakeColour(0, 255, 255)), true));
  EXPECT_FALSE(canvas.TransferBits({10, 0, 20, 10}, Bitmap(), true));
  const Bitmap b = canvas.Pixels();
  EXPECT_EQ(At(b, 5, 5), MakeColour(0, 255, 255));
  EXPECT_EQ(At(b, 15, 5), kGreen);
}

TEST(GdiCanvas, CopyAreaIsWhiteBeyondTheSurface) {
  GdiBitmapCanvas canvas(20, 20);
  canvas.FillRect({0, 0, 20, 20}, kRed);
  const Bitmap copy = canvas.CopyArea({10, 15, 30, 25});
  ASSERT_EQ(copy.Width(), 20);
  ASSERT_EQ(copy.Height(), 10);
  EXPECT_EQ(At(copy, 0, 0), kRed);
  EXPECT_EQ(At(copy, 9, 4), kRed);
  EXPECT_EQ(At(copy, 10, 0), kWhite);
  EXPECT_EQ(At(copy, 0, 5), kWhite);
  EXPECT_TRUE(canvas.CopyArea({5, 5, 5, 9}).Empty());

  std::unique_ptr<BitmapCanvas> copy2 = MakeGdiBitmapCanvas(Filled(3, 2, kBlue));
  EXPECT_EQ(At(copy2->Pixels(), 2, 1), kBlue);
  EXPECT_EQ(At(copy2->CopyArea({2, 1, 3, 2}), 0, 0), kBlue);
}

TEST(GdiCanvas, MetafilesStretchIntoTheBox) {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  RECT all{0, 0, 100, 100};
  FillRect(dc, &all, red);
  DeleteObject(red);
  HENHMETAFILE emf = CloseEnhMetaFile(dc);
  Metafile metafile;
  metafile.enhanced = true;
  metafile.bytes.resize(GetEnhMetaFileBits(emf, 0, nullptr));
  GetEnhMetaFileBits(emf, UINT(metafile.bytes.size()), metafile.bytes.data());
  DeleteEnhMetaFile(emf);
  GdiBitmapCanvas canvas(60, 60);
  canvas.StretchDraw({10, 10, 40, 40}, metafile);
  const Bitmap b = canvas.Pixels();
  EXPECT_EQ(At(b, 25, 25), kRed);
  EXPECT_EQ(At(b, 50, 50), kWhite);
  EXPECT_EQ(At(b, 5, 5), kWhite);
}

TEST(GdiCanvas, AlphaBlendMatchesTheSoftwareBlendExactly) {
  // Every destination value against every source value for a few alphas.
  Bitmap source(256, 256), destination(256, 256);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x)
      for (int c = 0; c < 3; ++c) source.Row(y)[3 * x + c] = std::uint8_t(y), destination.Row(y)[3 * x + c] = std::uint8_t(x);
  for (int alpha : {0, 1, 64, 127, 128, 191, 254, 255}) {
    GdiBitmapCanvas canvas(256, 256);
    canvas.StretchDraw({0, 0, 256, 256}, destination);
    ASSERT_TRUE(canvas.AlphaBlend({0, 0, 256, 256}, source, alpha));
    const Bitmap platform = canvas.Pixels();
    Bitmap software = destination;
    BlendConstantAlpha(software, source, alpha);
    int mismatches = 0;
    for (int y = 0; y < 256; ++y) mismatches += std::memcmp(platform.Row(y), software.Row(y), 256 * 3) != 0;
    EXPECT_EQ(mismatches, 0) << "alpha " << alpha;
  }
}

TEST(GdiCanvas, OpacityFiftyIsHalfObjectHalfBackground) {
  GdiBitmapCanvas canvas(10, 10);
  LynAlpha alpha;
  alpha.SaveBackground(canvas, {0, 0, 10, 10});  // white
  canvas.FillRect({0, 0, 10, 10}, 0);             // the object, black
  ASSERT_TRUE(alpha.BlendSavedBackground(50, {0, 0, 10, 10}, canvas));
  EXPECT_EQ(At(canvas.Pixels(), 5, 5), MakeColour(127, 127, 127));
}

TEST(GdiCanvas, DrawingLeaksNoGdiObjects) {
  Bitmap picture = Filled(8, 8, kRed);
  picture.transparent = true;
  picture.transparentColour = kRed;
  auto draw = [&](GdiBitmapCanvas& canvas, int i) {
    canvas.SetFont({i % 2 ? "Arial" : "Times New Roman", -10 - i % 7, i % 3 == 0, i % 5 == 0, 0, (i % 4) * 900});
    canvas.SetPen({i % 6 ? PenStyle::Solid : PenStyle::Clear, ColourValue(i), 1 + i % 3});
    canvas.SetBrush({BrushStyle(i % 3), ColourValue(i * 7)});
    canvas.SetCharacterExtra(i % 2);
    canvas.TextOut(5, 5, "abc");
    canvas.DrawFormattedText({0, 0, 50, 50}, "a b c", kWordBreak);
    canvas.TextWidth("abc");
    canvas.Metrics();
    canvas.Rectangle({1, 1, 30, 30});
    canvas.Ellipse({1, 1, 30, 30});
    canvas.Line(0, 0, 40, 40);
    canvas.FillRect({2, 2, 9, 9}, ColourValue(i));
    canvas.StretchDraw({0, 0, 16, 16}, picture);
    canvas.AlphaBlend({0, 0, 16, 16}, picture, 100);
    canvas.TransferBits({0, 0, 4, 4}, picture, true);
    canvas.CopyArea({0, 0, 20, 20});
  };
  {
    GdiBitmapCanvas warmUp(64, 64);
    draw(warmUp, 0);
  }
  const int before = GdiObjectCount();
  for (int round = 0; round < 30; ++round) {
    GdiBitmapCanvas canvas(64, 64);
    for (int i = 0; i < 100; ++i) draw(canvas, i);
  }
  EXPECT_LE(GdiObjectCount(), before + 2);
}

}  // namespace
}  // namespace vemra
