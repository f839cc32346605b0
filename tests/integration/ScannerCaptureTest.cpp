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
#include "imaging/PictureCodecs.h"

namespace vemra::test {
namespace {

// ---- the scanner

class TestScannerInstalled : public ::testing::Environment {
 public:
  void SetUp() override {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string folder = std::string(windows) + "\\twain_32";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string from = WindowsPath(VEMRA_TEST_SCANNER);
    target_ = folder + "\\sane.ds";
    saved_ = target_ + ".vemra-saved";
    // Other programs expect the prefix as it was: what it had goes back at
    // the end (a copy left by an interrupted run is the original).
    CopyFileA(target_.c_str(), saved_.c_str(), TRUE);
    hadSource_ = Exists(saved_);
    ASSERT_TRUE(CopyFileA(from.c_str(), target_.c_str(), FALSE)) << from << " " << GetLastError();
  }
  void TearDown() override {
    // The source manager keeps our source loaded: it can be moved aside
    // but not overwritten.
    const std::string aside = target_ + ".vemra-old";
    DeleteFileA(aside.c_str());
    if (!MoveFileA(target_.c_str(), aside.c_str())) return;
    if (hadSource_) MoveFileA(saved_.c_str(), target_.c_str());
  }

 private:
  std::string target_, saved_;
  bool hadSource_ = false;
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

// ---- our windows

std::wstring StoredSize(HWND dialog) {
  wchar_t text[256] = L"";
  SendDlgItemMessageW(dialog, kIdStatusBar, SB_GETTEXTW, 1, LPARAM(text));
  return text;
}

// ---- the user

bool captureWindowSeen = false;

int RunScan(unsigned kind, const char* id, std::deque<Step> script) {
  ScriptOutcome outcome;
  const int result = RunScripted(std::move(script), [&] { return ByName().scanImage(kind, id); }, &outcome);
  captureWindowSeen = outcome.captureWindowSeen;
  return result;
}

// While the capture dialog with this caption is shown, acts on it once
// `act` says it is done.
Step WhenDialog(const std::wstring& caption, std::function<bool(HWND)> act) {
  return [=] {
    HWND d = CaptureDialog();
    return d && TextOf(d) == caption && act(d);
  };
}

Step OnDialog(const std::wstring& caption, std::function<void(HWND)> act) {
  return WhenDialog(caption, [act](HWND d) { return act(d), true; });
}

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
      {OnDialog(kPhoto,
                [&](HWND d) {
                  button = TextOf(GetDlgItem(d, kIdCapture));
                  photoSize = StoredSize(d);
                  SaveScreenshot(d, "scanned-photo-run");
                  Click(d, IDOK);
                }),
       // The signature is the rest of the same scan: no second scan.
       OnDialog(kSignature, [&](HWND d) {
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
      {OnDialog(kPhoto,
                [&](HWND d) {
                  first = StoredSize(d);
                  Scanner("800x600");
                  Click(d, kIdCapture);
                }),
       WhenDialog(kPhoto,
                  [&](HWND d) {
                    second = StoredSize(d);
                    if (second == first) return false;  // still scanning
                    Scanner("300x300", "fail", "2");
                    Click(d, kIdCapture);
                    return true;
                  }),
       AnswerMessage(&message),
       OnDialog(kPhoto, [&](HWND d) {
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
