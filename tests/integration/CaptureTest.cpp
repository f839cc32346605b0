// VmScanImage through the exports with the picture-file source: the test
// answers the open-file dialog, the capture dialog, the replace question
// and message boxes from a thread timer, as a user would, and checks the
// stored pictures against the sheet they came from.
#include <gtest/gtest.h>

#include "ScriptedUser.h"  // windows.h first
#include <commctrl.h>

#include <cmath>
#include <deque>
#include <functional>
#include <vector>

#include "capture/tone/ToneControls.h"
#include "capture/win32/CaptureDialog.h"
#include "capture/win32/adjust/AdjustDialog.h"
#include "imaging/LynImageEx.h"
#include "imaging/PictureCodecs.h"

namespace vemra::test {
namespace {

constexpr int kFileNameField = 0x47C;  // the open-file dialog's name box
constexpr int kInspectionLeft = kIdInspectionPreset + 1;  // "Halva bilden vänsterkant"
constexpr int kModeClassic = kIdModeClassic;

// ---- finding our windows

HWND FileDialog() { return FindOurs(L"#32770", kFileNameField); }
HWND NewFotoDialog() { return FindOurs(L"TdlgNewFoto"); }

void SetShift(bool down) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = keys[VK_LSHIFT] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

// A left-button drag on the frame, in frame coordinates.
void Drag(HWND dialog, POINT from, POINT to) {
  HWND frame = GetDlgItem(dialog, kIdFrame);
  PostMessageW(frame, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
  PostMessageW(frame, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM((from.x + to.x) / 2, (from.y + to.y) / 2));
  PostMessageW(frame, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
  PostMessageW(frame, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
}

// ---- the user

bool captureWindowSeen = false;
std::vector<std::wstring> nestedMessages;

int RunScan(unsigned kind, const char* id, std::deque<Step> script) {
  ScriptOutcome outcome;
  const int result = RunScanScripted(kind, id, std::move(script), &outcome);
  captureWindowSeen = outcome.captureWindowSeen;
  nestedMessages = std::move(outcome.nestedMessages);
  return result;
}

Step ChooseFile(const std::string& path) {
  return [path] {
    HWND d = FileDialog();
    if (!d) return false;
    SetDlgItemTextA(d, kFileNameField, path.c_str());
    PostMessageW(d, WM_COMMAND, IDOK, 0);
    return true;
  };
}

Step CancelFileDialog() {
  return [] {
    HWND d = FileDialog();
    if (d) PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    return d != nullptr;
  };
}

// Waits for the capture dialog with this caption, lets `look` see it, then
// presses `button`.
Step PressOnCaptureDialog(const std::wstring& caption, int button,
                          std::function<void(HWND)> look = nullptr) {
  return [=] {
    HWND d = CaptureDialog();
    if (!d || TextOf(d) != caption) return false;
    if (look) look(d);
    Click(d, button);
    return true;
  };
}


// ---- a data folder with the sheet to import

struct DataFolder {
  std::string folder = NewTempFolder();
  std::string sheet = folder + "sheet.jpg";
  explicit DataFolder(const char* settings = nullptr) {
    CopyFileA(WindowsPath(VEMRA_SOURCE_DIR "/samples/sheet.jpg").c_str(), sheet.c_str(), FALSE);
    if (settings) {
      if (FILE* f = fopen((folder + "VemraSDK.ini").c_str(), "wb")) {
        fputs(settings, f);
        fclose(f);
      }
    }
    EXPECT_EQ(ByName().init(folder.c_str()), 0);
  }
  std::string Photo(const char* id) const { return folder + "Image\\" + id + ".jpg"; }
  std::string Signature(const char* id) const { return folder + "Image\\s" + id + ".jpg"; }
};

// Pixels where blue clearly dominates: the pen's strokes.
int PenPixels(const Bitmap& b) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const std::uint8_t* p = b.Row(y) + 3 * x;
      n += p[0] > 100 && p[2] < 80 && p[1] < 80;
    }
  return n;
}

// ---- the tests

TEST(CaptureThroughExports, OneSheetGivesPhotoAndSignatureFramedAsTheDialogShowedThem) {
  DataFolder data;
  std::wstring photoStatus;
  const int result = RunScan(
      0, "1",
      {ChooseFile(data.sheet),
       PressOnCaptureDialog(L"Importera Foto", IDOK,
                       [&](HWND d) {
                         photoStatus = StatusPanel(d, 1);
                         EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDOK)));
                         SaveScreenshot(d, "photo-run");
                       }),
       // The signature takes the rest of the same sheet: no file dialog.
       PressOnCaptureDialog(L"Importera Signatur", IDOK,
                       [&](HWND d) { SaveScreenshot(d, "signature-run"); })});
  EXPECT_EQ(result, 0);
  // 1000 x 1400 sheet, split at 80 % across: the photo part 1000 x 1120
  // fills the 360 x 480 frame's height (shown 429 x 600, 34 pixels cut at
  // each side); the signature's 1000 x 280 fills the 360 x 90 frame's
  // width (shown 360 x 504, bottom at the frame's bottom).
  EXPECT_EQ(photoStatus, L"Storlek: 839 x 1119 (710 dpi)");
  const Bitmap sheet = ReadJpeg(data.sheet), photo = ReadJpeg(data.Photo("1")),
               signature = ReadJpeg(data.Signature("1"));
  ASSERT_EQ(photo.Width(), 839);
  ASSERT_EQ(photo.Height(), 1119);
  EXPECT_LT(MeanDifference(photo, sheet, 79, 0), 4.0);
  EXPECT_GT(MeanDifference(photo, sheet, 60, 0), 8.0);  // the offset matters
  ASSERT_EQ(signature.Width(), 1000);
  ASSERT_EQ(signature.Height(), 250);
  EXPECT_LT(MeanDifference(signature, sheet, 0, 1150), 4.0);
  EXPECT_GT(PenPixels(signature), 2000);
  EXPECT_LT(PenPixels(photo), PenPixels(signature));
}

TEST(CaptureThroughExports, CancelledStepsGiveTheResultCodesOfTheTable) {
  DataFolder data;
  // The file dialog cancelled: the capture window is never created.
  EXPECT_EQ(RunScan(1, "2", {CancelFileDialog()}), 2);
  EXPECT_FALSE(captureWindowSeen);
  // Photo cancelled; the signature still frames the kept sheet.
  EXPECT_EQ(RunScan(0, "3",
                    {ChooseFile(data.sheet), PressOnCaptureDialog(L"Importera Foto", IDCANCEL),
                     PressOnCaptureDialog(L"Importera Signatur", IDOK)}),
            3);
  EXPECT_FALSE(ReadText(data.Photo("3")).size());
  EXPECT_EQ(ReadJpeg(data.Signature("3")).Height(), 250);
  // Photo stored, signature cancelled.
  EXPECT_EQ(RunScan(0, "4",
                    {ChooseFile(data.sheet), PressOnCaptureDialog(L"Importera Foto", IDOK),
                     PressOnCaptureDialog(L"Importera Signatur", IDCANCEL)}),
            4);
  // Signature only: no split, so a file of its own.
  EXPECT_EQ(RunScan(2, "5",
                    {ChooseFile(data.sheet),
                     PressOnCaptureDialog(L"Importera Signatur", IDCANCEL,
                                     [](HWND d) { SaveScreenshot(d, "signature-only"); })}),
            2);
  EXPECT_FALSE(Exists(data.Signature("5")));
}

// Modal towards the host: its window is disabled while the capture dialog
// is open and owns it; OK, "Avbryt" and the close box give it back enabled
// with the focus where it was. Escape is not bound in this dialog.
TEST(CaptureThroughExports, TheHostWaitsBehindTheDialogAndGetsItsFocusBack) {
  struct Way {
    const char* name;
    std::function<void(HWND)> leave;
  } ways[] = {
      {"OK", [](HWND d) { Click(d, IDOK); }},
      {"Avbryt", [](HWND d) { Click(d, IDCANCEL); }},
      {"close box", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  DataFolder data;
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    HostWindow host;
    RunScan(1, "modal",
            {ChooseFile(data.sheet), OnCaptureDialog(L"Importera Foto", [&](HWND d) {
               host.LookFrom(d);
               way.leave(d);
             })});
    EXPECT_EQ(host.ModalFaults(), "");
  }
}

TEST(CaptureThroughExports, NejKeepsTheOldFileAndJaReplacesIt) {
  DataFolder data;
  CreateDirectoryA((data.folder + "Image").c_str(), nullptr);
  CopyFileA(WindowsPath(VEMRA_SOURCE_DIR "/samples/portrait.jpg").c_str(),
            data.Photo("6").c_str(), FALSE);
  const std::string before = ReadText(data.Photo("6"));
  std::wstring caption;
  auto answer = [&](int button, bool screenshot) -> Step {
    return [&caption, button, screenshot] {
      HWND d = NewFotoDialog();
      if (!d) return false;
      caption = TextOf(d);
      if (screenshot) SaveScreenshot(d, "replace-question");
      Click(d, button);
      return true;
    };
  };
  EXPECT_EQ(RunScan(1, "6",
                    {ChooseFile(data.sheet), PressOnCaptureDialog(L"Importera Foto", IDOK),
                     answer(IDNO, true)}),
            0);  // keeping the existing photo counts as stored
  EXPECT_EQ(caption, L"Foto finns redan (6.jpg)");
  EXPECT_EQ(ReadText(data.Photo("6")), before);
  EXPECT_EQ(RunScan(1, "6",
                    {ChooseFile(data.sheet), PressOnCaptureDialog(L"Importera Foto", IDOK),
                     answer(IDYES, false)}),
            0);
  // Photo only, so no split: the whole sheet in the frame, shown 360 x 504.
  const Bitmap replaced = ReadJpeg(data.Photo("6"));
  EXPECT_EQ(replaced.Width(), 1000);
  EXPECT_EQ(replaced.Height(), 1333);
}

TEST(CaptureThroughExports, AnUnknownExtensionStoresNothing) {
  DataFolder data;
  const std::string png = data.folder + "sheet.png";
  CopyFileA(data.sheet.c_str(), png.c_str(), FALSE);
  std::wstring message;
  bool okEnabled = true;
  EXPECT_EQ(RunScan(1, "7",
                    {ChooseFile(png), AnswerMessage(&message),
                     PressOnCaptureDialog(L"Importera Foto", IDCANCEL,
                                     [&](HWND d) { okEnabled = IsWindowEnabled(GetDlgItem(d, IDOK)); })}),
            2);
  EXPECT_EQ(message, L"Fel filformat");
  EXPECT_FALSE(okEnabled);  // nothing to store
  EXPECT_FALSE(Exists(data.Photo("7")));
}

TEST(CaptureThroughExports, AFailedWriteKeepsTheDialogOpen) {
  DataFolder data;
  // A file where the picture folder should be: nothing can be written.
  Touch(data.folder + "Image");
  std::wstring message;
  bool stillOpen = false;
  EXPECT_EQ(RunScan(1, "8",
                    {ChooseFile(data.sheet), PressOnCaptureDialog(L"Importera Foto", IDOK),
                     AnswerMessage(&message),
                     [&] {
                       HWND d = CaptureDialog();
                       stillOpen = d != nullptr;
                       if (d) Click(d, IDCANCEL);
                       return true;
                     }}),
            2);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(message.rfind(L"Kunde inte spara bilden i ", 0), 0u) << message.size();
}

TEST(CaptureThroughExports, InspectionPresetAndAdjustModeAreWrittenBack) {
  DataFolder data;
  EXPECT_EQ(RunScan(1, "9",
                    {ChooseFile(data.sheet),
                     OnCaptureDialog(L"Importera Foto",
                                   [](HWND d) {
                                     PostMessageW(d, WM_COMMAND, kInspectionLeft, 0);
                                     PostMessageW(d, WM_COMMAND, kModeClassic, 0);
                                     // Ctrl alone shows the box while held.
                                     PostMessageW(d, WM_KEYDOWN, VK_CONTROL, 0);
                                   }),
                     PressOnCaptureDialog(L"Importera Foto", IDCANCEL,
                                     [](HWND d) {
                                       SaveScreenshot(d, "inspection-box-classic-tools");
                                       PostMessageW(d, WM_KEYUP, VK_CONTROL, 0);
                                     })}),
            2);
  const std::string ini = data.folder + "VemraSDK.ini";
  char value[256] = "";
  GetPrivateProfileStringA("BildImport", "L\xe4s in bild granska", "?", value, 256, ini.c_str());
  EXPECT_STREQ(value, "Half=Left;");
  GetPrivateProfileStringA("BildImport", "L\xe4s in bild kontroller", "?", value, 256, ini.c_str());
  EXPECT_STREQ(value, "2");
}

// Mean of all channels over a block of a picture.
double BlockMean(const Bitmap& b, int left, int top, int right, int bottom) {
  double sum = 0;
  for (int y = top; y < bottom; ++y)
    for (int i = 3 * left; i < 3 * right; ++i) sum += b.Row(y)[i];
  return sum / (3.0 * (right - left) * (bottom - top));
}

TEST(CaptureThroughExports, ZoomRotationAndPanDecideWhatIsStored) {
  DataFolder data;
  std::wstring zoomed, angles;
  auto angle = [&](HWND d) { angles += TextOf(GetDlgItem(d, kIdAngle)) + L" "; };
  auto clickAngle = [](HWND d) {
    PostMessageW(d, WM_COMMAND, MAKEWPARAM(kIdAngle, STN_CLICKED), LPARAM(GetDlgItem(d, kIdAngle)));
  };
  const std::wstring photo = L"Importera Foto";
  EXPECT_EQ(RunScan(1, "10",
                    {ChooseFile(data.sheet),
                     OnCaptureDialog(photo, [](HWND d) { Click(d, kIdZoomIn); }),
                     OnCaptureDialog(photo, [&](HWND d) {
                       zoomed = StatusPanel(d, 1);
                       Click(d, kIdToolAng90);
                     }),
                     OnCaptureDialog(photo, [&](HWND d) { angle(d); clickAngle(d); }),
                     OnCaptureDialog(photo, [&](HWND d) {
                       angle(d);
                       SetShift(true);  // Shift: one degree
                       Click(d, kIdToolAng270);
                     }),
                     OnCaptureDialog(photo, [&](HWND d) {
                       SetShift(false);
                       angle(d);
                       clickAngle(d);
                     }),
                     OnCaptureDialog(photo, [&](HWND d) {
                       angle(d);
                       Drag(d, {100, 100}, {100, 90});  // pan up by 10
                     }),
                     OnCaptureDialog(photo, [&](HWND d) {
                       SaveScreenshot(d, "zoomed-and-panned");
                       Click(d, IDOK);
                     })}),
            0);
  // Photo only, no split: the sheet shown 360 x 504; one step in gives
  // 396 x 554 at (-18, -37); the pan moves it to (-18, -47).
  EXPECT_EQ(zoomed, L"Storlek: 909 x 1212 (770 dpi)");
  EXPECT_EQ(angles, L"90 0 -1 0 ");
  const Bitmap sheet = ReadJpeg(data.sheet), stored = ReadJpeg(data.Photo("10"));
  ASSERT_EQ(stored.Width(), 909);
  ASSERT_EQ(stored.Height(), 1212);
  EXPECT_LT(MeanDifference(stored, sheet, 45, 119), 4.0);
}

TEST(CaptureThroughExports, BlankingAMarkedAreaStoresItWhite) {
  DataFolder data;
  const std::wstring photo = L"Importera Foto";
  bool cutEnabled = false;
  EXPECT_EQ(RunScan(1, "11",
                    {ChooseFile(data.sheet),
                     OnCaptureDialog(photo, [](HWND d) {
                       Click(d, kIdCutMode);
                       Drag(d, {10, 10}, {60, 60});
                     }),
                     OnCaptureDialog(photo, [&](HWND d) {
                       cutEnabled = IsWindowEnabled(GetDlgItem(d, kIdMarkCut));
                       Click(d, kIdMarkCut);
                     }),
                     OnCaptureDialog(photo, [](HWND d) {
                       SaveScreenshot(d, "blanked");
                       Click(d, IDOK);
                     })}),
            0);
  EXPECT_TRUE(cutEnabled);
  // Shown 360 x 504 at (0, -12): the mark covers picture pixels 28..167
  // across and 61..200 down, stored from row 33.
  const Bitmap sheet = ReadJpeg(data.sheet), stored = ReadJpeg(data.Photo("11"));
  ASSERT_EQ(stored.Width(), 1000);
  EXPECT_GT(BlockMean(stored, 32, 32, 163, 163), 250.0);
  EXPECT_LT(BlockMean(sheet, 32, 65, 163, 196), 200.0);
  EXPECT_LT(MeanDifference(stored, sheet, 0, 33) , 15.0);  // the rest as it was
}

TEST(CaptureThroughExports, TheSignaturePadShowsAnEmptyFrameAndCannotStore) {
  DataFolder data("[BildImport]\r\nSignMetod=51\r\n");
  std::wstring button;
  bool okEnabled = true;
  EXPECT_EQ(RunScan(2, "12",
                    {OnCaptureDialog(L"Importera Signatur", [](HWND d) { Click(d, kIdCapture); }),
                     OnCaptureDialog(L"Importera Signatur", [&](HWND d) {
                       button = TextOf(GetDlgItem(d, kIdCapture));
                       okEnabled = IsWindowEnabled(GetDlgItem(d, IDOK));
                       PostMessageW(d, WM_COMMAND, IDOK, 0);  // Enter: nothing to store
                       Click(d, IDCANCEL);
                     })}),
            2);
  EXPECT_EQ(button, L"ePad");
  EXPECT_FALSE(okEnabled);
  EXPECT_FALSE(Exists(data.Signature("12")));
}

// After the photo run the dialog must not offer the photo as the
// signature: with the signature pad, or when the signature's file does not
// load, the signature run shows an empty frame and OK stays disabled.
TEST(CaptureThroughExports, TheSignatureRunNeverShowsOrStoresThePhoto) {
  struct Case {
    const char* name;
    const char* settings;
    bool signatureFile;
  } cases[] = {
      {"signature-pad-after-photo", "[BildImport]\r\nSignMetod=51\r\n", false},
      {"signature-file-failed-after-photo", "[BildImport]\r\nDela=0\r\n", true},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DataFolder data(c.settings);
    const std::string broken = data.folder + "trasig.jpg";
    Touch(broken);
    const std::string id = "own" + std::to_string(++n);
    std::deque<Step> script{ChooseFile(data.sheet), PressOnCaptureDialog(L"Importera Foto", IDOK)};
    std::wstring message;
    if (c.signatureFile) {
      script.push_back(ChooseFile(broken));
      script.push_back(AnswerMessage(&message));
    }
    bool hadPicture = true, okEnabled = true;
    script.push_back(OnCaptureDialog(L"Importera Signatur", [&](HWND d) {
      okEnabled = IsWindowEnabled(GetDlgItem(d, IDOK));
      hadPicture = StatusPanel(d, 1).find(L"Storlek") != std::wstring::npos;
      SaveScreenshot(d, c.name);
      PostMessageW(d, WM_COMMAND, IDOK, 0);  // Enter: nothing to store
      Click(d, IDCANCEL);
    }));
    EXPECT_EQ(RunScan(0, id.c_str(), std::move(script)), 4);
    EXPECT_FALSE(okEnabled);
    EXPECT_FALSE(hadPicture);
    EXPECT_TRUE(Exists(data.Photo(id.c_str())));
    EXPECT_FALSE(Exists(data.Signature(id.c_str())));
    if (c.signatureFile) {
      EXPECT_FALSE(message.empty());
    }
  }
}

TEST(CaptureThroughExports, EnterStoresEscapeDoesNothingAndASecondScanIsRefused) {
  DataFolder data;
  const std::wstring photo = L"Importera Foto";
  bool openAfterEscape = false;
  int nested = -1;
  EXPECT_EQ(RunScan(1, "14",
                    {ChooseFile(data.sheet),
                     OnCaptureDialog(photo, [&](HWND d) {
                       nested = ByName().scanImage(1, "15");  // as if from a host timer
                       PostMessageW(d, WM_KEYDOWN, VK_ESCAPE, 0);
                     }),
                     OnCaptureDialog(photo, [&](HWND d) {
                       openAfterEscape = true;
                       PostMessageW(d, WM_KEYDOWN, VK_RETURN, 0);
                     })}),
            0);
  EXPECT_TRUE(openAfterEscape);
  EXPECT_EQ(ReadJpeg(data.Photo("14")).Width(), 1000);
  EXPECT_EQ(nested, 2);
  EXPECT_NE(ReadText(data.folder + "VemraSDK.log").find("p\xe5g\xe5r redan"), std::string::npos);
  EXPECT_FALSE(Exists(data.Photo("15")));
}

TEST(CaptureThroughExports, TheOpenFileButtonReplacesThePictureOrKeepsIt) {
  DataFolder data;
  const std::string portrait = data.folder + "portrait.jpg";
  CopyFileA(WindowsPath(VEMRA_SOURCE_DIR "/samples/portrait.jpg").c_str(), portrait.c_str(), FALSE);
  const std::wstring photo = L"Importera Foto";
  std::wstring button, afterCancel, afterChoice;
  EXPECT_EQ(RunScan(1, "16",
                    {ChooseFile(data.sheet),
                     OnCaptureDialog(photo, [&](HWND d) {
                       button = TextOf(GetDlgItem(d, kIdCapture));
                       Click(d, kIdCapture);
                     }),
                     CancelFileDialog(),
                     OnCaptureDialog(photo, [&](HWND d) {
                       afterCancel = StatusPanel(d, 1);
                       Click(d, kIdCapture);
                     }),
                     ChooseFile(portrait),
                     OnCaptureDialog(photo, [&](HWND d) {
                       afterChoice = StatusPanel(d, 1);
                       Click(d, IDOK);
                     })}),
            0);
  EXPECT_EQ(button, L"\u00d6ppna fil");
  EXPECT_EQ(afterCancel, L"Storlek: 1000 x 1333 (847 dpi)");
  // 512 x 512 fills the 480-pixel frame height: shown 480 x 480.
  EXPECT_EQ(afterChoice, L"Storlek: 384 x 512 (325 dpi)");
  const Bitmap stored = ReadJpeg(data.Photo("16"));
  EXPECT_EQ(stored.Width(), 384);
  EXPECT_EQ(stored.Height(), 512);
}

int GdiObjectCount() {
  // Wine does not count; its handle table answers for bare indices.
  int live = 0;
  for (ULONG_PTR i = 1; i < 0x10000; ++i) live += GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
  return live;
}

TEST(CaptureThroughExports, RepeatedCapturesLeaveNoObjectsBehind) {
  DataFolder data;
  auto capture = [&] {
    return RunScan(1, "13",
                   {ChooseFile(data.sheet),
                    OnCaptureDialog(L"Importera Foto", [](HWND d) {
                      Click(d, kIdZoomIn);
                      Click(d, kIdToolAng90);
                      PostMessageW(d, WM_KEYDOWN, VK_CONTROL, 0);
                    }),
                    PressOnCaptureDialog(L"Importera Foto", IDCANCEL)});
  };
  ASSERT_EQ(capture(), 2);  // classes and fonts the system keeps
  const int gdi = GdiObjectCount();
  for (int i = 0; i < 4; ++i) ASSERT_EQ(capture(), 2) << i;
  EXPECT_EQ(GdiObjectCount(), gdi);
  EXPECT_FALSE(CaptureDialog());
}

}  // namespace
}  // namespace vemra::test

namespace vemra::test {
namespace {

// The sheet as the unzoomed photo run stores it: 1000 x 1400 shown
// 360 x 504, 12 screen pixels cut at top and bottom.
constexpr int kPhotoTop = 33, kPhotoWidth = 1000, kPhotoHeight = 1333;

Bitmap Toned(const Bitmap& picture, const ToneSettings& settings) {
  Bitmap out;
  ApplyToneSettings(picture, out, settings);
  return out;
}

void ExpectStoredWithTone(const DataFolder& data, const char* id, const ToneSettings& settings) {
  const Bitmap sheet = ReadJpeg(data.sheet), stored = ReadJpeg(data.Photo(id));
  ASSERT_EQ(stored.Width(), kPhotoWidth);
  ASSERT_EQ(stored.Height(), kPhotoHeight);
  const double toned = MeanDifference(stored, Toned(sheet, settings), 0, kPhotoTop);
  const double untoned = MeanDifference(stored, sheet, 0, kPhotoTop);
  EXPECT_LT(toned, 4.0);
  EXPECT_GT(untoned, toned + 2.0) << "the tone must be visible in what was stored";
}

HWND AdjustWindow() {
  HWND w = FindWindowW(kAdjustClassName, L"Justera");
  return w && IsWindowVisible(w) ? w : nullptr;
}

std::wstring AdjustField(HWND d, ToneField field) {
  return TextOf(GetDlgItem(d, kAdjustFieldId + int(field)));
}

TEST(CaptureThroughExports, ClassicLjusPlusBakesBrightnessTenIntoWhatIsStored) {
  DataFolder data;
  const std::wstring photo = L"Importera Foto";
  std::vector<bool> visible;  // a classic button, a slider, a value field in each mode
  auto look = [&](HWND d, const char* shot) {
    SaveScreenshot(d, shot);
    for (int id : {int(kIdToneButton) + 2, int(kIdToneSlider), int(kIdToneField)})
      visible.push_back(IsWindowVisible(GetDlgItem(d, id)) != FALSE);
  };
  EXPECT_EQ(RunScan(1, "20",
                    {ChooseFile(data.sheet),
                     OnCaptureDialog(photo, [&](HWND d) {
                       look(d, "tone-standard");
                       PostMessageW(d, WM_COMMAND, kIdModeSimple, 0);
                     }),
                     OnCaptureDialog(photo, [&](HWND d) {
                       look(d, "tone-simple");
                       PostMessageW(d, WM_COMMAND, kIdModeClassic, 0);
                     }),
                     OnCaptureDialog(photo, [&](HWND d) {
                       look(d, "tone-classic");
                       Click(d, kIdToneButton + 2);  // "Ljus +"
                     }),
                     PressOnCaptureDialog(photo, IDOK,
                                     [](HWND d) { SaveScreenshot(d, "tone-classic-ljus-plus"); })}),
            0);
  EXPECT_EQ(visible, (std::vector<bool>{false, true, true, false, false, true, true, false, false}));
  ExpectStoredWithTone(data, "20", {10, 0, 0, 0, 0});
}

TEST(CaptureThroughExports, ColourPadStepsTheFieldsAndRefusesLetters) {
  DataFolder data;
  const std::wstring photo = L"Importera Foto";
  std::wstring afterPad, afterLetters;
  EXPECT_EQ(RunScan(1, "23",
                    {ChooseFile(data.sheet),
                     OnCaptureDialog(photo, [](HWND d) {
                       PostMessageW(d, WM_COMMAND, kIdModeStandard, 0);
                       Click(d, kIdColourPad + 3);  // "Mer ljus": +6
                       Click(d, kIdColourPad + 3);
                     }),
                     OnCaptureDialog(photo, [&](HWND d) {
                       afterPad = TextOf(GetDlgItem(d, kIdToneField));
                       SetDlgItemTextW(d, kIdToneField + 1, L"abc");  // the message box is answered meanwhile
                       afterLetters = TextOf(GetDlgItem(d, kIdToneField + 1));
                       // Hovering "Mer rött" previews it on the inspection box only.
                       PostMessageW(GetDlgItem(d, kIdColourPad + 4), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
                     }),
                     OnCaptureDialog(photo, [](HWND d) {
                       SaveScreenshot(d, "colour-pad-hover");
                       PostMessageW(GetDlgItem(d, kIdColourPad + 4), WM_MOUSELEAVE, 0, 0);
                     }),
                     PressOnCaptureDialog(photo, IDOK)}),
            0);
  EXPECT_EQ(afterPad, L"12");  // the hover left the fields and the stored picture alone
  EXPECT_EQ(afterLetters, L"");
  EXPECT_EQ(nestedMessages, (std::vector<std::wstring>{L"You can only use numerals here"}));
  ExpectStoredWithTone(data, "23", {12, 0, 0, 0, 0});
}

TEST(CaptureThroughExports, JusteraSomHedenhosAppliesKeypadSevenOnce) {
  DataFolder data;
  const std::wstring photo = L"Importera Foto";
  std::wstring brightness, contrast, refused;
  EXPECT_EQ(RunScan(1, "21",
                    {ChooseFile(data.sheet),
                     OnCaptureDialog(photo, [](HWND d) {
                       SetShift(true);  // the item is offered with Shift held
                       Click(d, kIdAdjustOldStyle);
                     }),
                     [&] {
                       HWND a = AdjustWindow();
                       if (!a) return false;
                       SetShift(false);
                       SetDlgItemTextW(a, kAdjustFieldId + int(ToneField::kRed), L"abc");
                       refused = AdjustField(a, ToneField::kRed);
                       HWND ok = GetDlgItem(a, kAdjustOkId);
                       SetFocus(ok);
                       PostMessageW(ok, WM_KEYDOWN, VK_NUMPAD7, 0);
                       return true;
                     },
                     [&] {
                       HWND a = AdjustWindow();
                       if (!a) return false;
                       brightness = AdjustField(a, ToneField::kBrightness);
                       contrast = AdjustField(a, ToneField::kContrast);
                       SaveScreenshot(a, "justera-from-capture");
                       PostMessageW(a, WM_COMMAND, kAdjustOkId, 0);
                       return true;
                     },
                     [] { return AdjustWindow() == nullptr; },
                     PressOnCaptureDialog(photo, IDOK)}),
            0);
  SetShift(false);
  EXPECT_EQ(refused, L"");
  EXPECT_EQ(nestedMessages, (std::vector<std::wstring>{L"You can only use numerals here"}));
  EXPECT_EQ(brightness, L"10");
  EXPECT_EQ(contrast, L"10");
  ExpectStoredWithTone(data, "21", {10, 10, 0, 0, 0});
}

TEST(CaptureThroughExports, TheStatusLineCountsEveryDistinctColour) {
  DataFolder data;
  Bitmap colours(64, 64);  // 4096 colours
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      std::uint8_t* p = colours.Row(y) + 3 * x;
      p[0] = std::uint8_t(x * 4), p[1] = std::uint8_t(y * 4), p[2] = std::uint8_t((x ^ y) * 4);
    }
  const std::string file = data.folder + "colours.bmp";
  SavePictureFile(colours, file, 0);
  std::wstring counted, afterGrey;
  EXPECT_EQ(RunScan(1, "22",
                    {ChooseFile(file), OnCaptureDialog(L"Importera Foto", [&](HWND d) {
                       counted = StatusPanel(d, 3);
                       Click(d, kIdToneButton + 12);  // "Gråskala"
                     }),
                     PressOnCaptureDialog(L"Importera Foto", IDCANCEL,
                                     [&](HWND d) { afterGrey = StatusPanel(d, 3); })}),
            2);
  EXPECT_EQ(counted, L"F\u00e4rger: 4096");
  EXPECT_NE(afterGrey, counted);  // recounted after the change
  EXPECT_EQ(afterGrey.rfind(L"F\u00e4rger: ", 0), 0u);
}

}  // namespace
}  // namespace vemra::test
