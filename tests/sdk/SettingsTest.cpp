#include <gtest/gtest.h>

#include "base/Cp1252.h"
#include "sdk/Fakes.h"
#include "sdk/Settings.h"

namespace vemra::test {
namespace {

class SettingsTest : public ::testing::Test {
 protected:
  SettingsContext Context() {
    SettingsContext c;
    c.dataFolder = folder.Windows();
    c.currentPrinter = "Kortskrivare";
    c.decimalSeparator = ',';
    c.report = [this](const std::string& m) { reports.push_back(m); };
    return c;
  }
  Settings Load(const std::string& ini) {
    folder.Write("VemraSDK.ini", ini);
    Settings s;
    LoadSettings(lynini, Context(), s);
    return s;
  }
  TempFolder folder;
  Lynini lynini{OpenPortableProfileFile};
  std::vector<std::string> reports;
};

TEST_F(SettingsTest, MissingFileGivesEveryDefaultAndCreatesNothing) {
  Settings s;
  LoadSettings(lynini, Context(), s);
  EXPECT_EQ(s.printer, "Kortskrivare");
  EXPECT_EQ(s.photoMethod, 3);
  EXPECT_EQ(s.photoQuality, 70);
  EXPECT_EQ(s.splitPosition, 80);
  EXPECT_TRUE(s.split);
  EXPECT_FALSE(s.splitVertical);
  EXPECT_EQ(s.sendMethod, -1);
  EXPECT_EQ(s.issuerLine1, "Kommunuppgift saknas");
  EXPECT_EQ(s.issuerLine2, Ansi("Se Alternativ Inställningar"));
  EXPECT_EQ(s.proxyPort, "80");
  EXPECT_FALSE(std::filesystem::exists(folder.Path() + "VemraSDK.ini"));
  EXPECT_FALSE(lynini.IsOpen());
}

TEST_F(SettingsTest, StoredValuesConvertByTheirType) {
  Settings s = Load(
      "[Utskrift]\r\nVemra Skrivare=\r\nVemra \xd6verkant=-1,5\r\nVemra V\xe4nsterkant=0,99\r\n"
      "Vemra Orientering=258\r\n"
      "[BildImport]\r\nFotoQ=0x50\r\nSignQ=abc\r\nDelaPosition=300\r\nDela=5\r\n"
      "TwainUI=nej\r\nSplitVert=1\r\nL\xe4s in bild granska=a=1;b=2\r\n"
      "L\xe4s in bild kontroller=-2\r\n"
      "[Internet]\r\nSendMethod=0X2\r\n");
  EXPECT_EQ(s.printer, "");  // present but empty is not the default
  EXPECT_DOUBLE_EQ(s.topOffset, -1.5);
  EXPECT_DOUBLE_EQ(s.leftOffset, 0.99);
  EXPECT_EQ(s.orientation, 2);  // low 8 bits
  EXPECT_EQ(s.photoQuality, 80);
  EXPECT_EQ(s.signQuality, 70);
  EXPECT_EQ(s.splitPosition, 44);
  EXPECT_TRUE(s.split);
  EXPECT_TRUE(s.twainUI);  // not a number: the default
  EXPECT_TRUE(s.splitVertical);
  EXPECT_EQ(s.inspectionBox, "a=1\tb=2");
  EXPECT_EQ(s.adjustMode, -2);
  EXPECT_EQ(s.sendMethod, 2);
  EXPECT_TRUE(reports.empty());
}

TEST_F(SettingsTest, ADecimalThatDoesNotConvertReadsAsDefaultAndIsReported) {
  Settings s = Load("[Utskrift]\r\nVemra \xd6verkant=1.5\r\nVemra V\xe4nsterkant=tio\r\n");
  EXPECT_EQ(s.topOffset, 0);
  EXPECT_EQ(s.leftOffset, 0);
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_NE(reports[0].find("1.5"), std::string::npos);
}

TEST_F(SettingsTest, LeadingSpacesOfIssuerLinesSurviveSaveAndLoad) {
  Settings s;
  LoadSettings(lynini, Context(), s);
  s.issuerLine1 = "  Kommunen";
  s.issuerLine2 = " x ";
  SaveSettings(lynini, Context(), s);
  EXPECT_NE(folder.Read("VemraSDK.ini").find("KommunRad1=\xfe\"  Kommunen\""), std::string::npos);
  Settings again;
  LoadSettings(lynini, Context(), again);
  EXPECT_EQ(again.issuerLine1, "  Kommunen");
  EXPECT_EQ(again.issuerLine2, " x ");
}

TEST_F(SettingsTest, SavingDefaultsWritesNoneAndRemovesPresentKeys) {
  Settings s = Load("[Utskrift]\r\nVemra Orientering=1\r\n[BildImport]\r\nFotoQ=90\r\n"
                    "L\xe4s in bild kontroller=3\r\n[Kommun]\r\nKod=0180\r\n");
  s.orientation = 0;
  s.photoQuality = 70;
  SaveSettings(lynini, Context(), s);
  std::string text = folder.Read("VemraSDK.ini");
  EXPECT_EQ(text.find("Vemra Orientering"), std::string::npos) << text;
  EXPECT_EQ(text.find("FotoQ"), std::string::npos) << text;
  EXPECT_EQ(text.find("Vemra Skrivare"), std::string::npos) << text;
  EXPECT_EQ(text.find("KommunRad"), std::string::npos) << text;
  // Keys the save does not own stay, and the capture key is read back.
  EXPECT_NE(text.find("Kod=0180"), std::string::npos);
  EXPECT_EQ(s.adjustMode, 3);
}

TEST_F(SettingsTest, ChangedValuesAreWrittenInTheUsersFormat) {
  Settings s;
  LoadSettings(lynini, Context(), s);
  s.topOffset = 2.5;
  s.printer = "CardPDF";
  s.split = false;
  s.proxyPort = "8080";
  SaveSettings(lynini, Context(), s);
  std::string text = folder.Read("VemraSDK.ini");
  for (const char* line : {"Vemra \xd6verkant=2,5\r\n", "Vemra Skrivare=CardPDF\r\n",
                           "Dela=0\r\n", "ProxyPort=8080\r\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
}

TEST_F(SettingsTest, PrinterDefaultFollowsTheCurrentPrinterAtReadTime) {
  Settings s;
  LoadSettings(lynini, Context(), s);
  SettingsContext later = Context();
  later.currentPrinter = "CardPDF";
  LoadSettings(lynini, later, s);
  EXPECT_EQ(s.printer, "CardPDF");
}

// A stored printer that happens to be the current one was chosen all the
// same: it stays, or the card would follow the next change of the system's
// default printer. Without a stored one the printer keeps following it.
TEST_F(SettingsTest, AStoredPrinterEqualToTheCurrentOneStays) {
  struct Case {
    const char* file;
    const char* expected;  // the printer line after a save, or "" for none
  } cases[] = {
      {"[Utskrift]\r\nVemra Skrivare=Kortskrivare\r\n", "Vemra Skrivare=Kortskrivare\r\n"},
      {"[Utskrift]\r\nVemra Skrivare=kortskrivare\r\n", "Vemra Skrivare=kortskrivare\r\n"},
      {"[Utskrift]\r\nVemra Skrivare=CardPDF\r\n", "Vemra Skrivare=CardPDF\r\n"},
      {"[Utskrift]\r\nVemra \xd6verkant=1\r\n", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Settings s = Load(c.file);
    SaveSettings(lynini, Context(), s);
    const std::string text = folder.Read("VemraSDK.ini");
    if (*c.expected) EXPECT_NE(text.find(c.expected), std::string::npos) << text;
    else EXPECT_EQ(text.find("Vemra Skrivare"), std::string::npos) << text;
  }
}

TEST_F(SettingsTest, InspectionBoxIsStoredWithSemicolons) {
  Settings s;
  LoadSettings(lynini, Context(), s);
  s.inspectionBox = "x=1\ty=2";
  SaveCaptureDialogSettings(lynini, folder.Windows(), s);
  EXPECT_NE(folder.Read("VemraSDK.ini").find("L\xe4s in bild granska=x=1;y=2\r\n"),
            std::string::npos);
  Settings again;
  LoadSettings(lynini, Context(), again);
  EXPECT_EQ(again.inspectionBox, "x=1\ty=2");
}

}  // namespace
}  // namespace vemra::test
