#include "sdk/settingsdialog/SettingsDialogModel.h"

#include <gtest/gtest.h>

#include "sdk/Fakes.h"

namespace vemra::test {
namespace {

class CountingPrinters : public FakePrinters {
 public:
  std::vector<std::string> selected;
  bool SelectPrinter(const std::string& name) override {
    selected.push_back(name);
    return FakePrinters::SelectPrinter(name);
  }
};

SettingsDialogModel Open(const Settings& s) {
  return OpenSettingsDialog(s, {"Kortskrivare", "CardPDF"}, ',');
}

Settings Confirmed(const SettingsDialogModel& m, Settings s = {}) {
  CountingPrinters printers;
  ConfirmSettings(m, s, printers, ',');
  return s;
}

TEST(SettingsDialogModel, RadioGroupsClampTheirIndex) {
  struct Case { int index, items, expected; } cases[] = {
      {-5, 3, -1}, {-1, 3, -1}, {0, 3, 0}, {2, 3, 2}, {3, 3, 2}, {253, 2, 1}};
  for (const auto& c : cases) EXPECT_EQ(ClampRadioIndex(c.index, c.items), c.expected) << c.index;
}

// A source without an item of its own shows as the nearest item and is
// kept on OK; only picking another item stores that item's code.
TEST(SettingsDialogModel, SourceMethodsShowAsTheirItemAndStayUnlessAnotherIsPicked) {
  constexpr int kSame = -2;  // the user leaves the group as shown
  struct Case {
    int photo, sign, shownPhoto, shownSign, pickedPhoto, pickedSign, storedPhoto, storedSign;
  } cases[] = {
      {2, 2, 0, 0, kSame, kSame, 2, 2},
      {3, 4, 1, 2, kSame, kSame, 3, 4},
      {41, 51, 1, 2, kSame, kSame, 41, 51},  // camera shows "Fil", signature pad "Används ej"
      {42, 51, 1, 2, 0, 1, 2, 3},            // the scanner and a file picked instead
      {43, 51, 1, 2, kSame, 2, 43, 51},      // "Används ej" clicked again: still the pad
      {1, 1, -1, -1, kSame, kSame, 1, 1},    // Video for Windows: nothing selected, kept
      {61, 0, 1, -1, kSame, kSame, 61, 0},
      {61, 0, 1, -1, 1, 1, 61, 3},
      {61, 2, 1, 0, 0, kSame, 2, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.photo << "/" << c.sign << " picked " << c.pickedPhoto
                                    << "/" << c.pickedSign);
    Settings s;
    s.photoMethod = std::uint8_t(c.photo), s.signMethod = std::uint8_t(c.sign);
    SettingsDialogModel m = Open(s);
    EXPECT_EQ(m.photoSource, c.shownPhoto);
    EXPECT_EQ(m.signSource, c.shownSign);
    if (c.pickedPhoto != kSame) m.photoSource = c.pickedPhoto;
    if (c.pickedSign != kSame) m.signSource = c.pickedSign;
    Settings out = Confirmed(m, s);
    EXPECT_EQ(out.photoMethod, c.storedPhoto);
    EXPECT_EQ(out.signMethod, c.storedSign);
  }
}

TEST(SettingsDialogModel, PreviewsShowOnlyWhenBothSourcesAreTheScanner) {
  struct Case { int photo, sign; bool vertical, horizontalShown, verticalShown; } cases[] = {
      {0, 0, false, true, false}, {0, 0, true, false, true},  {1, 0, false, false, false},
      {0, 1, true, false, false}, {1, 1, false, false, false}, {-1, -1, false, false, false},
      {0, 2, false, false, false},
  };
  for (const auto& c : cases) {
    SettingsDialogModel m;
    m.photoSource = c.photo, m.signSource = c.sign, m.vertical = c.vertical;
    SCOPED_TRACE(c.photo * 10 + c.sign);
    EXPECT_EQ(HorizontalPreviewVisible(m), c.horizontalShown);
    EXPECT_EQ(VerticalPreviewVisible(m), c.verticalShown);
    EXPECT_EQ(SplitControlsEnabled(m), c.horizontalShown || c.verticalShown);
  }
}

TEST(SettingsDialogModel, DisabledSplitControlsKeepTheStoredSplit) {
  Settings s;
  s.photoMethod = 3, s.signMethod = 2, s.split = false, s.splitPosition = 70;
  SettingsDialogModel m = Open(s);
  EXPECT_FALSE(SplitControlsEnabled(m));
  Settings out = Confirmed(m);
  EXPECT_FALSE(out.split);
  EXPECT_EQ(out.splitPosition, 70);
  EXPECT_FALSE(out.splitVertical);
}

TEST(SettingsDialogModel, SwitchingDirectionMirrorsTheVisibleLine) {
  Settings s;
  s.photoMethod = 2, s.signMethod = 2;  // position 80, horizontal
  SettingsDialogModel m = Open(s);
  EXPECT_EQ(SplitCaption(m), "Dela (80/20)");
  EXPECT_EQ(SplitHandle(m), 74);
  ChooseSplitDirection(m, true);
  EXPECT_TRUE(VerticalPreviewVisible(m));
  EXPECT_EQ(m.verticalLine, 20);
  EXPECT_EQ(SplitCaption(m), "Dela (20/80)");
  m.verticalLine = 35;
  ChooseSplitDirection(m, false);
  EXPECT_EQ(m.horizontalLine, 65);
  Settings out = Confirmed(m);
  EXPECT_EQ(out.splitPosition, 65);
  EXPECT_FALSE(out.splitVertical);
}

TEST(SettingsDialogModel, ALineOutOfSightIsNotMirrored) {
  SettingsDialogModel m;
  m.photoSource = 1, m.signSource = 1, m.horizontalLine = 70, m.verticalLine = 40;
  ChooseSplitDirection(m, true);
  EXPECT_EQ(m.verticalLine, 40);
  EXPECT_EQ(SplitCaption(m), "Dela (40/60)");
}

TEST(SettingsDialogModel, StoredPositionsOffTheSheetAreClampedWhenShown) {
  struct Case { int stored; bool vertical; int line, mirrored; } cases[] = {
      {80, false, 80, 20}, {0, false, 10, 90}, {5, true, 10, 90}, {95, true, 90, 10},
      {255, false, 90, 10}, {50, true, 50, 50}};
  for (const auto& c : cases) {
    Settings s;
    s.splitPosition = std::uint8_t(c.stored), s.splitVertical = c.vertical;
    SettingsDialogModel m = Open(s);
    EXPECT_EQ(SplitLine(m), c.line) << c.stored;
    EXPECT_EQ(c.vertical ? m.horizontalLine : m.verticalLine, c.mirrored) << c.stored;
  }
}

TEST(SettingsDialogModel, DraggingMovesTheHandleByThePointerAndStopsAtTheEnds) {
  struct Case { bool vertical; int grab; std::vector<int> moves; int line; } cases[] = {
      {false, 6, {10}, 84},          // handle 74 + 4
      {false, 6, {0, 0, 0}, 62},      // three moves of -6
      {true, 3, {-500}, 10},         // far past the start
      {true, 3, {500}, 90},          // far past the end
      {false, 0, {-500, 20}, 30},    // back from the stop: handle 4 + 20
  };
  for (const auto& c : cases) {
    SettingsDialogModel m;
    m.vertical = c.vertical, m.horizontalLine = m.verticalLine = 80;
    BeginSplitDrag(m, c.grab);
    for (int pointer : c.moves) EXPECT_TRUE(MoveSplitDrag(m, pointer));
    EndSplitDrag(m);
    EXPECT_FALSE(MoveSplitDrag(m, 100));
    EXPECT_EQ(SplitLine(m), c.line) << c.grab << " " << c.moves.front();
  }
}

TEST(SettingsDialogModel, ThePrinterChangesOnlyWhenItsNameDiffersBeyondCase) {
  struct Case { const char* stored; const char* chosen; const char* kept; bool selects; } cases[] = {
      {"CardPDF", "cardpdf", "CardPDF", false},
      {"Kortskrivare", "CardPDF", "CardPDF", true},
      {"Gammal skrivare", "Gammal skrivare", "Gammal skrivare", false},  // not installed
      {"SKRIVARE \xd6", "skrivare \xf6", "skrivare \xf6", true},          // only A-Z fold
  };
  for (const auto& c : cases) {
    Settings s;
    s.printer = c.stored;
    SettingsDialogModel m = Open(s);
    EXPECT_EQ(m.printer, c.stored);
    m.printer = c.chosen;
    CountingPrinters printers;
    ConfirmSettings(m, s, printers, ',');
    EXPECT_EQ(s.printer, c.kept) << c.chosen;
    EXPECT_EQ(printers.selected.size(), c.selects ? 1u : 0u) << c.chosen;
  }
}

TEST(SettingsDialogModel, SendMethodIsTheItemBelowThePrinter) {
  struct Case { int stored, item, back; } cases[] = {{-1, 0, -1}, {0, 1, 0}, {2, 3, 2}, {9, 3, 2}, {-7, -1, -2}};
  for (const auto& c : cases) {
    Settings s;
    s.sendMethod = c.stored;
    SettingsDialogModel m = Open(s);
    EXPECT_EQ(m.sendMethod, c.item) << c.stored;
    EXPECT_EQ(Confirmed(m).sendMethod, c.back) << c.stored;
  }
}

TEST(SettingsDialogModel, MarginsAreDecimalsInTheUsersFormat) {
  struct Case { const char* text; bool converts; double value; } cases[] = {
      {"1,5", true, 1.5}, {" 2,25 ", true, 2.25}, {"-999", true, -999}, {"0,99", true, 0.99},
      {"abc", false, 0},  {"1.5", false, 0},      {"", false, 0},        {"1,5mm", false, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    Settings s;
    s.leftOffset = 3;
    SettingsDialogModel m = Open(s);
    EXPECT_EQ(m.leftMargin, "3");
    m.leftMargin = c.text;
    auto problem = CheckMargins(m, ',');
    EXPECT_EQ(!problem, c.converts);
    CountingPrinters printers;
    m.issuerLine1 = "ny";
    if (c.converts) {
      ConfirmSettings(m, s, printers, ',');
      EXPECT_EQ(s.leftOffset, c.value);
    } else {
      EXPECT_FALSE(problem->top);
      EXPECT_EQ(problem->text, c.text);
      EXPECT_THROW(ConfirmSettings(m, s, printers, ','), std::invalid_argument);
      EXPECT_EQ(s.issuerLine1, "") << "nothing written before the refusal";
    }
  }
  Settings s;
  s.topOffset = 1.5;
  EXPECT_EQ(Open(s).topMargin, "1,5");
  EXPECT_EQ(MarginMessage({true, "abc"}, ','),
            "Överkant: \"abc\" är inget tal. Ange marginalen i millimeter, till exempel 1,5.");
}

TEST(SettingsDialogModel, OkWritesEveryControlBack) {
  SettingsDialogModel m = Open(Settings{});
  m.issuerLine1 = "  Rad 1", m.issuerLine2 = "Rad 2", m.logo = "C:\\logo.bmp";
  m.ortexMunicipality = "Kommun", m.ortexTelephone = "08-1";
  m.photoSource = 0, m.signSource = 0, m.hideScannerUI = true, m.split = false;
  m.topMargin = "2", m.orientation = 2, m.sendMethod = 2;
  m.mailServer = "smtp", m.mailFrom = "a@b", m.useProxy = true;
  m.proxyAddress = "proxy", m.proxyPort = "8080";
  Settings s = Confirmed(m);
  EXPECT_EQ(s.issuerLine1, "  Rad 1");
  EXPECT_EQ(s.issuerLine2, "Rad 2");
  EXPECT_EQ(s.logo, "C:\\logo.bmp");
  EXPECT_EQ(s.ortexMunicipality, "Kommun");
  EXPECT_EQ(s.ortexTelephone, "08-1");
  EXPECT_EQ(s.photoMethod, 2);
  EXPECT_EQ(s.signMethod, 2);
  EXPECT_FALSE(s.twainUI);
  EXPECT_FALSE(s.split);
  EXPECT_EQ(s.topOffset, 2);
  EXPECT_EQ(s.orientation, 2);
  EXPECT_EQ(s.sendMethod, 1);
  EXPECT_EQ(s.mailServer, "smtp");
  EXPECT_EQ(s.mailFrom, "a@b");
  EXPECT_TRUE(s.useProxy);
  EXPECT_EQ(s.proxyAddress, "proxy");
  EXPECT_EQ(s.proxyPort, "8080");
  EXPECT_TRUE(ProxyFieldsEnabled(m));
}

TEST(SettingsDialogModel, LogoPreviewIs48PixelsHigh) {
  struct Case { int w, h, width; } cases[] = {
      {160, 200, 38}, {200, 100, 96}, {3, 32, 4}, {5, 32, 8}, {1, 1000, 0}, {0, 10, 0}, {10, 0, 0}};
  for (const auto& c : cases) EXPECT_EQ(LogoPreviewWidth(c.w, c.h), c.width) << c.w << "x" << c.h;
}

TEST(SettingsDialogModel, LogoPreviewLoadsANewExistingPathOnTheIssuerPageOnly) {
  std::vector<std::string> loaded;
  auto exists = [](const std::string& p) { return p != "saknas.jpg"; };
  auto load = [&](const std::string& p, int& w, int& h) {
    loaded.push_back(p);
    w = 160, h = 200;
    return p != "trasig.jpg";
  };
  SettingsDialogModel m;
  m.logo = "logo.jpg";
  EXPECT_FALSE(UpdateLogoPreview(m, exists, load));  // photo page
  m.page = SettingsPage::Issuer;
  EXPECT_TRUE(UpdateLogoPreview(m, exists, load));
  EXPECT_EQ(m.logoWidth, 38);
  EXPECT_FALSE(UpdateLogoPreview(m, exists, load));  // same path again
  for (const char* path : {"saknas.jpg", "trasig.jpg"}) {
    m.logo = path;
    EXPECT_FALSE(UpdateLogoPreview(m, exists, load));
    EXPECT_EQ(m.logoShown, "logo.jpg");
  }
  EXPECT_EQ(loaded, (std::vector<std::string>{"logo.jpg", "trasig.jpg"}));
}

}  // namespace
}  // namespace vemra::test
