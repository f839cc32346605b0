// The overlay's tint: opacity both ways, the clear frame, the colour list
// and the settings dialog's OK and Cancel.
#include <gtest/gtest.h>

#include "capture/video/CaptureOverlayModel.h"

namespace vemra {
namespace {

TEST(CaptureOverlayModel, OpacityAndAlpha) {
  struct Case {
    int percent, alpha;
  } cases[] = {{0, 0}, {100, 255}, {50, 127}, {1, 2}, {-5, 0}, {120, 255}};
  for (const Case& c : cases) EXPECT_EQ(AlphaForOpacity(c.percent), c.alpha) << c.percent;
  EXPECT_EQ(OpacityForAlpha(127), 50);  // the starting opacity
  EXPECT_EQ(OpacityForAlpha(255), 100);
  EXPECT_EQ(OpacityForAlpha(0), 0);
  EXPECT_EQ(OpacityLabel(50), "Opacitet: 50%");
}

TEST(CaptureOverlayModel, ClearRectIsTheFrameCentredInTheVideo) {
  EXPECT_EQ(OverlayClearRect({704, 528}, {360, 480}), (ScreenRect{172, 24, 360, 480}));
  EXPECT_EQ(OverlayClearRect({704, 396}, {270, 360}), (ScreenRect{217, 18, 270, 360}));
  EXPECT_EQ(OverlayClearRect({705, 397}, {270, 360}), (ScreenRect{217, 18, 270, 360}));
}

TEST(CaptureOverlayModel, ColourItems) {
  EXPECT_EQ(kColourItemCount, 18);
  EXPECT_EQ(ColourItemText(0), "(Ingen)");
  EXPECT_EQ(ColourItemText(1), "Svart");
  EXPECT_EQ(ColourItemText(10), "Röd");
  EXPECT_EQ(ColourItemText(16), "Vit");
  EXPECT_EQ(ColourItemText(17), "Välj...");
  EXPECT_EQ(KindOfColourItem("(Ingen)"), ColourItemKind::kNone);
  EXPECT_EQ(KindOfColourItem("#1"), ColourItemKind::kNone);
  EXPECT_EQ(KindOfColourItem("_"), ColourItemKind::kNone);
  EXPECT_EQ(KindOfColourItem("Välj..."), ColourItemKind::kChoose);
  EXPECT_EQ(KindOfColourItem("Gul"), ColourItemKind::kNamed);
  EXPECT_EQ(HexText({255, 8, 171}), "FF08AB");
  EXPECT_EQ(ParseHex("FF08ab"), (Rgb{255, 8, 171}));
  EXPECT_EQ(ParseHex("FF08"), (Rgb{}));
}

TEST(CaptureOverlayModel, SettingsStartFromTheLookAndCancelGivesItBack) {
  OverlaySettingsModel m{OverlayLook{}};
  EXPECT_EQ(m.SelectedItem(), 8);  // "Grå"
  EXPECT_EQ(m.OpacityPosition(), 50);
  EXPECT_EQ(m.Label(), "Opacitet: 50%");

  EXPECT_EQ(m.PickItem(10), OverlaySettingsModel::Pick::kApplied);
  EXPECT_EQ(m.Look().colour, (Rgb{255, 0, 0}));
  EXPECT_EQ(m.PickItem(0), OverlaySettingsModel::Pick::kUnchanged);
  EXPECT_EQ(m.Look().colour, (Rgb{255, 0, 0}));
  EXPECT_EQ(m.PickItem(17), OverlaySettingsModel::Pick::kAskColour);
  m.ColourChosen({1, 2, 3});
  EXPECT_EQ(m.ChosenHex(), "010203");
  m.MoveTrackBar(0);
  EXPECT_EQ(m.Look(), (OverlayLook{{1, 2, 3}, 0}));
  EXPECT_EQ(m.Label(), "Opacitet: 0%");
  EXPECT_EQ(m.Original(), OverlayLook{});

  OverlaySettingsModel custom{OverlayLook{{1, 2, 3}, 255}};
  EXPECT_EQ(custom.SelectedItem(), 17);
  EXPECT_EQ(custom.ChosenHex(), "010203");
  EXPECT_EQ(custom.OpacityPosition(), 100);
}

}  // namespace
}  // namespace vemra
