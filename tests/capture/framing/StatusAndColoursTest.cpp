#include <gtest/gtest.h>

#include "capture/framing/ColourCount.h"
#include "capture/framing/FramingTestUtil.h"
#include "capture/framing/StatusLine.h"

namespace vemra {
namespace {

TEST(StatusLine, EachKindSetsItsPanels) {
  StatusFacts facts;
  facts.hasPicture = true;
  facts.pictureWidth = 1000;
  facts.pictureHeight = 1000;
  facts.frame = kPhotoFrame;
  facts.displayed = {480, 480};
  facts.colourCount = 5;
  using T = StatusTexts;
  using O = std::optional<std::string>;
  const auto texts = [](O a, O b, O c, O d) { return T{a, b, c, d}; };
  const std::string size = "Orginalstorlek: 1000 x 1000";
  const std::string stored = "Storlek: 750 x 1000 (635 dpi)";
  struct Case { int kind; T texts; } cases[] = {
      {kStatusPictureSize, texts(size, {}, {}, {})},
      {kStatusStoredSize, texts({}, stored, {}, {})},
      {kStatusZoom, texts({}, {}, "Zoom: 48%", {})},
      {kStatusColours, texts({}, {}, {}, "Färger: 5")},
      {kStatusAll, texts(size, stored, "Zoom: 48%", "Färger: 5")},
      {kStatusClear, texts("", "", "", "")},
      {4, T{}},
  };
  for (const auto& c : cases) EXPECT_EQ(StatusLineTexts(c.kind, facts), c.texts) << c.kind;

  facts.colourCount = 0;
  EXPECT_EQ(StatusLineTexts(kStatusColours, facts)[3], "");
  facts.hasPicture = false;
  EXPECT_EQ(StatusLineTexts(kStatusAll, facts), T{});
  EXPECT_EQ(StatusLineTexts(kStatusClear, facts), texts("", "", "", ""));
}

TEST(StatusLine, FollowsTheFramingAfterAZoomStep) {
  CaptureFraming f = test::Framed(720, 960);
  f.ZoomStep(kZoomInStep);
  const StatusTexts texts = StatusLineTexts(kStatusAll, StatusFactsOf(f, 0));
  EXPECT_EQ(texts[0], "Orginalstorlek: 720 x 960");
  EXPECT_EQ(texts[1], "Storlek: 655 x 873 (554 dpi)");  // r = 720 / 396
  EXPECT_EQ(texts[2], "Zoom: 55%");
}

TEST(CountColours, CountsEveryDistinctColourExactly) {
  Bitmap spread(256, 256);  // 65,536 colours, spread over every red and green
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) test::SetPixel(spread, x, y, MakeColour(x, y, (x * 7 + y) & 255));
  Bitmap blues(256, 2);  // one red/green pair, every blue twice
  for (int x = 0; x < 256; ++x) {
    test::SetPixel(blues, x, 0, MakeColour(3, 4, x));
    test::SetPixel(blues, x, 1, MakeColour(3, 4, 255 - x));
  }
  Bitmap indexed(10, 10, PixelFormat::pf8bit);  // all index 0: one colour
  struct Case { const char* name; const Bitmap& picture; int count; } cases[] = {
      {"flat", test::Filled(30, 20, 0x123456), 1},
      {"spread", spread, 65536},
      {"blues", blues, 256},
      {"indexed", indexed, 1},
      {"empty", Bitmap(), 0},
  };
  for (const auto& c : cases) EXPECT_EQ(CountColours(c.picture), c.count) << c.name;
}

TEST(ColourCounter, GivesUpForTheDialogsLifeAfterOneSlowCount) {
  std::int64_t now = 0;
  std::int64_t step = 0;
  ColourCounter counter([&] { return now += step; });
  const Bitmap small = test::Filled(4, 4, 0x010203);
  const Bitmap two = test::Filled(64, 64, 0x010203);
  EXPECT_EQ(counter.Count(small), 1);
  step = 100;  // start, row 0, row 16, ... : the fourth reading is past 300 ms
  EXPECT_EQ(counter.Count(two), 0);
  EXPECT_TRUE(counter.Disabled());
  step = 0;
  EXPECT_EQ(counter.Count(small), 0);
  EXPECT_EQ(counter.LastCount(), 0);
}

TEST(ColourCounter, KeepsCountingWhileCountsStayUnderTheCutOff) {
  std::int64_t now = 0;
  ColourCounter counter([&] { return now += 150; });  // 300 ms for a one-row count
  EXPECT_EQ(counter.Count(test::Filled(8, 1, 0xFFFFFF)), 1);
  EXPECT_FALSE(counter.Disabled());
}

}  // namespace
}  // namespace vemra
