// VmScanImage with the TWAIN scanner as photo and signature source, through
// Wine's source manager and our test data source (installed as the
// prefix's sane.ds). The user's part is played from a thread timer.
#include <gtest/gtest.h>

#include "ScriptedUser.h"  // windows.h first
#include <commctrl.h>

#include <cmath>
#include <deque>
#include <functional>

#include "capture/win32/CaptureDialog.h"
#include "capture/win32/twain/TestScannerSource.h"
#include "imaging/PictureCodecs.h"

namespace vemra::test {
namespace {

// ---- the scanner

class TestScannerInstalled : public ::testing::Environment {
 public:
  void SetUp() override {
    const std::string from = WindowsPath(VEMRA_TEST_SCANNER);
    ASSERT_TRUE(source_.Install(from)) << from << " " << GetLastError();
  }
  void TearDown() override { source_.Remove(); }

 private:
  TestScannerSource source_;
};
const auto* const installed = ::testing::AddGlobalTestEnvironment(new TestScannerInstalled);

// What the data source does at its next scans.
void Scanner(const char* size, const char* outcome = nullptr, const char* condition = nullptr) {
  SetEnvironmentVariableA("VEMRA_TESTSCAN_SIZE", size);
  SetEnvironmentVariableA("VEMRA_TESTSCAN_BITS", "24");
  SetEnvironmentVariableA("VEMRA_TESTSCAN_OUTCOME", outcome);
  SetEnvironmentVariableA("VEMRA_TESTSCAN_CONDITION", condition);
}

// What the data source was asked since the last call (it logs into the
// process's environment, which outlives its unloading after each scan).
std::string ScannerTrace() {
  char trace[8192] = "";
  const DWORD n = GetEnvironmentVariableA("VEMRA_TESTSCAN_TRACE", trace, sizeof trace);
  SetEnvironmentVariableA("VEMRA_TESTSCAN_TRACE", nullptr);
  return n < sizeof trace ? std::string(trace, n) : "(too long)";
}

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// The data source's first picture: blue 7x, green 5y (both wrapping), red 40.
Bitmap ScannedSheet(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = b.Row(y) + 3 * x;
      p[0] = std::uint8_t(x * 7), p[1] = std::uint8_t(y * 5), p[2] = 40;
    }
  return b;
}

// ---- the user

bool captureWindowSeen = false;

int RunScan(unsigned kind, const char* id, std::deque<Step> script) {
  ScriptOutcome outcome;
  const int result = RunScanScripted(kind, id, std::move(script), &outcome);
  captureWindowSeen = outcome.captureWindowSeen;
  return result;
}

std::wstring StoredSize(HWND dialog) { return StatusPanel(dialog, 1); }

// ---- a data folder scanning from the scanner

struct DataFolder {
  std::string folder = NewTempFolder();
  explicit DataFolder(const char* moreSettings = "") {
    if (FILE* f = fopen((folder + "VemraSDK.ini").c_str(), "wb")) {
      fputs("[BildImport]\r\nFotoMetod=2\r\nSignMetod=2\r\n", f);
      fputs(moreSettings, f);
      fclose(f);
    }
    EXPECT_EQ(ByName().init(folder.c_str()), 0);
    ScannerTrace();
  }
  std::string Photo(const char* id) const { return folder + "Image\\" + id + ".jpg"; }
  std::string Signature(const char* id) const { return folder + "Image\\s" + id + ".jpg"; }
};

const std::wstring kPhoto = L"Importera Foto", kSignature = L"Importera Signatur";

// ---- the tests

TEST(ScannerThroughExports, OneScanGivesPhotoAndSignature) {
  DataFolder data;
  Scanner("600x800");
  std::wstring button, photoSize, signatureSize;
  const int result = RunScan(
      0, "1",
      {OnCaptureDialog(kPhoto,
                [&](HWND d) {
                  button = TextOf(GetDlgItem(d, kIdCapture));
                  photoSize = StoredSize(d);
                  SaveScreenshot(d, "scanned-photo-run");
                  Click(d, IDOK);
                }),
       // The signature is the rest of the same scan: no second scan.
       OnCaptureDialog(kSignature, [&](HWND d) {
         Scanner("600x800", "fail");
         signatureSize = StoredSize(d);
         SaveScreenshot(d, "scanned-signature-run");
         Click(d, IDOK);
       })});
  EXPECT_EQ(result, 0);
  const std::string trace = ScannerTrace();
  EXPECT_EQ(Count(trace, "enable ui=1;"), 1) << trace;  // "TwainUI" is on by default
  EXPECT_EQ(Count(trace, "enable"), 1) << trace;
  EXPECT_EQ(button, L"Scan");
  // Split at 80 % across: the photo part 600 x 640 fills the 360 x 480
  // frame's height, shown 450 x 600 with 45 pixels cut at each side; the
  // signature's 600 x 160 fills the 360 x 90 frame's width, bottom aligned.
  EXPECT_EQ(photoSize, L"Storlek: 480 x 640 (406 dpi)");
  EXPECT_EQ(signatureSize, L"Storlek: 600 x 150 (508 dpi)");
  const Bitmap sheet = ScannedSheet(600, 800), photo = ReadJpeg(data.Photo("1")),
               signature = ReadJpeg(data.Signature("1"));
  ASSERT_EQ(photo.Width(), 480);
  ASSERT_EQ(photo.Height(), 640);
  EXPECT_LT(MeanDifference(photo, sheet, 60, 0), 6.0);
  EXPECT_GT(MeanDifference(photo, sheet, 70, 0), 20.0);  // the offset matters
  ASSERT_EQ(signature.Width(), 600);
  ASSERT_EQ(signature.Height(), 150);
  EXPECT_LT(MeanDifference(signature, sheet, 0, 650), 6.0);
  EXPECT_GT(MeanDifference(signature, sheet, 0, 640), 20.0);
}

TEST(ScannerThroughExports, AFailedFirstScanOpensNoDialog) {
  struct Case {
    const char* outcome;
    const char* condition;
    const wchar_t* message;
  } cases[] = {
      {"cancel", nullptr, L"Misslyckades att h\u00e4mta bild. (fel 3)"},
      {"fail", "2", L"Misslyckades att h\u00e4mta bild. (fel 32770)"},
  };
  DataFolder data;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.outcome);
    Scanner("60x80", c.outcome, c.condition);
    std::wstring message, title;
    EXPECT_EQ(RunScan(1, "2", {AnswerMessage(&message, IDOK, &title)}), 2);
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(title, L"VemraSDK");
    EXPECT_FALSE(captureWindowSeen);
    EXPECT_FALSE(Exists(data.Photo("2")));
  }
}

TEST(ScannerThroughExports, ScanInsideTheDialogReplacesThePictureUnlessItFails) {
  DataFolder data("TwainUI=0\r\n");
  Scanner("600x800");
  std::wstring first, second, afterFailure, message;
  const int result = RunScan(
      1, "3",
      {OnCaptureDialog(kPhoto,
                [&](HWND d) {
                  first = StoredSize(d);
                  Scanner("800x600");
                  Click(d, kIdCapture);
                }),
       WhenCaptureDialog(kPhoto,
                  [&](HWND d) {
                    second = StoredSize(d);
                    if (second == first) return false;  // still scanning
                    Scanner("300x300", "fail", "2");
                    Click(d, kIdCapture);
                    return true;
                  }),
       AnswerMessage(&message),
       OnCaptureDialog(kPhoto, [&](HWND d) {
         afterFailure = StoredSize(d);
         SaveScreenshot(d, "scanned-again");
         Click(d, IDOK);
       })});
  EXPECT_EQ(result, 0);
  const std::string trace = ScannerTrace();
  EXPECT_EQ(Count(trace, "enable ui=0;"), 3) << trace;
  EXPECT_EQ(Count(trace, "enable"), 3) << trace;
  EXPECT_EQ(first, L"Storlek: 600 x 800 (508 dpi)");
  // 800 x 600 fills the frame's height: shown 640 x 480, 140 cut each side.
  EXPECT_EQ(second, L"Storlek: 450 x 600 (381 dpi)");
  EXPECT_EQ(message, L"Misslyckades att h\u00e4mta bild. (fel 32770)");
  EXPECT_EQ(afterFailure, second);
  const Bitmap stored = ReadJpeg(data.Photo("3"));
  ASSERT_EQ(stored.Width(), 450);
  ASSERT_EQ(stored.Height(), 600);
  EXPECT_LT(MeanDifference(stored, ScannedSheet(800, 600), 175, 0), 6.0);
}

}  // namespace
}  // namespace vemra::test
