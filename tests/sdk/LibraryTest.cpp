#include <gtest/gtest.h>

#include "base/Cp1252.h"
#include "sdk/Fakes.h"
#include "sdk/LibraryState.h"

namespace vemra::test {
namespace {

class LibraryTest : public ::testing::Test {
 protected:
  LibraryTest() { platform.hostFolder = host.Windows(); }
  Library& Lib() {
    if (!library) library = std::make_unique<Library>(platform.Services());
    return *library;
  }
  void Settings(const std::string& ini) { data.Write("VemraSDK.ini", ini); }
  void Store(const std::string& relative) { data.Write("Image/" + relative, "jpeg"); }

  TempFolder host, data;
  FakePlatform platform;
  std::unique_ptr<Library> library;
};

TEST_F(LibraryTest, LazyInitialisationUsesTheHostFolder) {
  host.Write("Image/s123.jpg", "jpeg");
  EXPECT_FALSE(Lib().Initialised());
  EXPECT_EQ(Lib().VmPhotoSignatureExists("123"), 2);
  EXPECT_TRUE(Lib().Initialised());
  EXPECT_EQ(Lib().DataFolder(), host.Windows());
}

TEST_F(LibraryTest, InitCreatesTheFolderWithItsParentsAndAddsABackslash) {
  std::string folder = data.Windows() + "a\\b\\Data";
  EXPECT_EQ(Lib().VmInit(folder), 0);
  EXPECT_EQ(Lib().DataFolder(), folder + "\\");
  EXPECT_TRUE(std::filesystem::is_directory(data.Path() + "a/b/Data"));
}

TEST_F(LibraryTest, InitThatCannotCreateTheFolderReturns1AndLaterCallsStillWork) {
  data.Write("file", "x");  // a file where a folder should be
  EXPECT_EQ(Lib().VmInit(data.Windows() + "file\\sub"), 1);
  EXPECT_TRUE(Lib().Initialised());
  EXPECT_EQ(Lib().VmPhotoSignatureExists("1"), 3);
  Lib().Fields().AddLine("a\tb");
  // The settings are the key table's defaults, as if read from an empty file.
  EXPECT_EQ(Lib().CurrentSettings().issuerLine1, "Kommunuppgift saknas");
  EXPECT_EQ(Lib().CurrentSettings().issuerLine2, Ansi("Se Alternativ Inställningar"));
  EXPECT_EQ(Lib().CurrentSettings().splitPosition, 80);
  EXPECT_EQ(Lib().VmInit(data.Windows()), 0);
  EXPECT_EQ(Lib().Fields().Lines().size(), 1u);  // kept across initialisations
}

TEST_F(LibraryTest, EveryInitReloadsTheSettings) {
  Settings("[BildImport]\r\nFotoQ=90\r\n");
  Lib().VmInit(data.Windows());
  EXPECT_EQ(Lib().CurrentSettings().photoQuality, 90);
  Settings("[BildImport]\r\nFotoQ=50\r\n");
  Lib().VmInit(data.Windows());
  EXPECT_EQ(Lib().CurrentSettings().photoQuality, 50);
}

TEST_F(LibraryTest, PhotoSignatureExistsTellsWhichPicturesAreStored) {
  Lib().VmInit(data.Windows());
  struct Case { const char* id; int expected; } cases[] = {{"1", 0}, {"2", 1}, {"3", 2}, {"4", 3}};
  Store("1.jpg"), Store("s1.jpg"), Store("2.jpg"), Store("s3.jpg"), Store("4s.jpg");
  for (const auto& c : cases) EXPECT_EQ(Lib().VmPhotoSignatureExists(c.id), c.expected) << c.id;
  EXPECT_EQ(Lib().PicturePath("123", "s"), data.Windows() + "Image\\s123.jpg");
  EXPECT_EQ(Lib().PicturePath("", ""), data.Windows() + "Image\\.jpg");
}

TEST_F(LibraryTest, MunicipalityDetailsAndLogoComeFromTheDataFolder) {
  Settings("[Kommun]\r\nKod=0180\r\nNamn=Stockholm\r\nOverforingsserver=ftp.kommun\r\n");
  data.Write("0180b.bmp", "b");
  data.Write("0180a.bmp", "b");
  Lib().VmInit(data.Windows());
  EXPECT_EQ(Lib().Municipality().name, "Stockholm");
  EXPECT_EQ(Lib().Municipality().transferServer, "ftp.kommun");
  EXPECT_EQ(Lib().CurrentSettings().logo, data.Windows() + "0180a.bmp");
  data.Write("0180z.JPG", "j");  // a JPEG is preferred to any bitmap
  Lib().VmInit(data.Windows());
  EXPECT_EQ(Lib().CurrentSettings().logo, data.Windows() + "0180z.JPG");
}

struct ScanCase {
  const char* name;
  int kind;
  const char* settings;
  std::vector<ScriptedCapture::Step> script;
  int result;
  int captures;
};

void PrintTo(const ScanCase& c, std::ostream* os) { *os << c.name; }

class ScanImageTest : public LibraryTest, public ::testing::WithParamInterface<ScanCase> {};

TEST_P(ScanImageTest, ResultFollowsWhatWasStored) {
  const ScanCase& c = GetParam();
  Settings(c.settings);
  Lib().VmInit(data.Windows());
  platform.capture.script = c.script;
  EXPECT_EQ(Lib().VmScanImage(std::uint8_t(c.kind), "123"), c.result);
  EXPECT_EQ(int(platform.capture.requests.size()), c.captures);
  // Whatever the kind: one dialog, freed, and the scanner shut down.
  EXPECT_EQ(platform.capture.dialogsCreated, 1);
  EXPECT_EQ(platform.capture.dialogsFreed, 1);
  EXPECT_EQ(platform.capture.shutdowns, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ScanImageTest,
    ::testing::Values(
        ScanCase{"BothStored", 0, "", {{true}, {true}}, 0, 2},
        ScanCase{"PhotoOnlyStored", 0, "", {{true}, {false}}, 4, 2},
        ScanCase{"PhotoCancelledSignatureStored", 0, "", {{false}, {true}}, 3, 2},
        ScanCase{"NothingStored", 0, "", {{false}, {false}}, 2, 2},
        ScanCase{"NoSignatureMethod", 0, "[BildImport]\r\nSignMetod=4\r\n", {{true}}, 4, 1},
        ScanCase{"PhotoKind", 1, "", {{true}}, 0, 1},
        ScanCase{"PhotoKindCancelled", 1, "", {{false}}, 2, 1},
        ScanCase{"SignatureKind", 2, "", {{true}}, 0, 1},
        ScanCase{"SignatureKindNoMethod", 2, "[BildImport]\r\nSignMetod=4\r\n", {}, 2, 0},
        ScanCase{"Kind3", 3, "", {}, 1, 0},
        ScanCase{"Kind5", 5, "", {}, 1, 0},
        ScanCase{"Kind255", 255, "", {}, 1, 0},
        ScanCase{"PhotoFailsOddlySignatureStored", 0, "", {{false, true, true}, {true}}, 3, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LibraryTest, ScanPassesTheSettingsAndSplitsOneSheet) {
  Settings("[BildImport]\r\nFotoMetod=2\r\nSignMetod=2\r\nDelaPosition=60\r\nSplitVert=1\r\n"
           "FotoQ=85\r\nSignQ=40\r\nTwainUI=0\r\n");
  Lib().VmInit(data.Windows());
  platform.capture.script = {{true}, {true}};
  Lib().VmScanImage(0, "77");
  const auto& r = platform.capture.requests;
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].source, 2);
  EXPECT_EQ(r[0].purpose, kPhoto);
  EXPECT_EQ(r[0].quality, 85);
  EXPECT_EQ(r[0].splitPosition, 60);
  EXPECT_TRUE(r[0].splitVertical);
  EXPECT_EQ(r[0].fileName, data.Windows() + "Image\\77.jpg");
  EXPECT_EQ(r[0].caption, "Importera Foto");
  EXPECT_TRUE(r[0].both);
  EXPECT_FALSE(r[0].showScannerInterface);
  EXPECT_EQ(r[1].purpose, kSignature);
  EXPECT_EQ(r[1].quality, 40);
  EXPECT_EQ(r[1].splitPosition, 100);
  EXPECT_EQ(r[1].fileName, data.Windows() + "Image\\s77.jpg");
  EXPECT_EQ(r[1].caption, "Importera Signatur");
  EXPECT_FALSE(r[1].both);
}

TEST_F(LibraryTest, NoSplitWhenMethodsDifferOrOnlyOnePictureIsAsked) {
  struct Case { int kind; const char* ini; int photoSplit; } cases[] = {
      {0, "[BildImport]\r\nFotoMetod=2\r\nSignMetod=3\r\n", 0},
      {0, "[BildImport]\r\nDela=0\r\n", 0},
      {1, "", 0},
      {0, "", 80},
  };
  for (const auto& c : cases) {
    Settings(c.ini);
    Lib().VmInit(data.Windows());
    platform.capture.requests.clear();
    Lib().VmScanImage(std::uint8_t(c.kind), "1");
    ASSERT_FALSE(platform.capture.requests.empty());
    EXPECT_EQ(platform.capture.requests[0].splitPosition, c.photoSplit) << c.ini;
  }
}

TEST_F(LibraryTest, ChangedCaptureDialogSettingsAreWrittenBack) {
  Lib().VmInit(data.Windows());
  platform.capture.changeSettings = [](CaptureDialogSettings& s) {
    s.inspectionBox = "a=1\tb=2";
    s.inspectionBoxChanged = true;
  };
  Lib().VmScanImage(5, "1");
  EXPECT_NE(data.Read("VemraSDK.ini").find("L\xe4s in bild granska=a=1;b=2"), std::string::npos);
  EXPECT_EQ(Lib().CurrentSettings().inspectionBox, "a=1\tb=2");
}

TEST_F(LibraryTest, OpeningTheDialogFailsYetTheScannerClosesAndChangesAreWritten) {
  Lib().VmInit(data.Windows());
  platform.capture.changeSettings = [](CaptureDialogSettings& s) {
    s.adjustMode = 2;
    s.adjustModeChanged = true;
    throw 7;  // not a std::exception
  };
  EXPECT_ANY_THROW(Lib().VmScanImage(0, "1"));
  EXPECT_EQ(platform.capture.shutdowns, 1);
  EXPECT_NE(data.Read("VemraSDK.ini").find("L\xe4s in bild kontroller=2"), std::string::npos);
}

TEST_F(LibraryTest, UnchangedCaptureDialogSettingsLeaveTheFileAlone) {
  Lib().VmInit(data.Windows());
  Lib().VmScanImage(5, "1");
  EXPECT_FALSE(std::filesystem::exists(data.Path() + "VemraSDK.ini"));
}

TEST_F(LibraryTest, IdsThatLeaveThePictureStoreAreNotThere) {
  Lib().VmInit(data.Windows());
  data.Write("secret.jpg", "jpeg");  // beside Image\, not in it
  data.Write("ss.jpg", "jpeg");
  // Which ids are names is IsPictureStoreName's table; here, what a refusal does.
  for (const char* id : {"..\\secret", "C:\\x", "CON.x"}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(Lib().VmPhotoSignatureExists(id), 3);
    EXPECT_EQ(Lib().VmScanImage(0, id), 2);
  }
  EXPECT_TRUE(platform.capture.requests.empty());
  EXPECT_NE(data.Read("VemraSDK.log").find("CON.x"), std::string::npos);
  const PermitTexts permit{"..\\printed", "A", "B", "0180-123-45F", "2026-03-05", "", "", "", "", ""};
  EXPECT_EQ(Lib().VmPrint(0, permit), 3);
  EXPECT_NE(data.Read("VemraSDK.log").find("\"..\\printed\""), std::string::npos);
  for (const char* id : {"123", "\xe5\xe4\xf6", "a..b", ""}) {
    SCOPED_TRACE(id);
    Store(std::string(id) + ".jpg");
    EXPECT_EQ(Lib().VmPhotoSignatureExists(id), 1);
  }
}

TEST_F(LibraryTest, UndecimalSettingIsLoggedInTheDataFolder) {
  Settings("[Utskrift]\r\nVemra \xd6verkant=abc\r\n");
  Lib().VmInit(data.Windows());
  Lib().VmInit(data.Windows());
  std::string log = data.Read("VemraSDK.log");
  EXPECT_NE(log.find("abc"), std::string::npos) << log;
  EXPECT_EQ(log.find("abc"), log.rfind("abc")) << "told once per process: " << log;
  EXPECT_NE(log.find("2026-12-08 12:00:00"), std::string::npos);
}

TEST_F(LibraryTest, FullLogMovesAsideBeforeItPassesTheLimit) {
  Lib().VmInit(data.Windows());
  const std::string old(Library::kLogLimitBytes - 30, 'x');
  data.Write("VemraSDK.log", old);
  Lib().Log("kort");  // fits: appended
  EXPECT_EQ(data.Read("VemraSDK.log").size(), old.size() + 26);  // time, " kort", CR LF
  Lib().Log("ett till");
  EXPECT_EQ(data.Read("VemraSDK.log.1").size(), old.size() + 26);
  EXPECT_EQ(data.Read("VemraSDK.log"), "2026-12-08 12:00:00 ett till\r\n");
}

}  // namespace
}  // namespace vemra::test
