// The scanner through Wine's real source manager and our test data source
// (datasource/), which the first test installs as the prefix's sane.ds.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/win32/Win32Windows.h"
#include "capture/win32/twain/AcquireImage.h"
#include "capture/win32/twain/Scanner.h"
#include "imaging/LynImageEx.h"
#include "../WindowPicture.h"
#include "TestScannerSource.h"

namespace vemra {
namespace {

constexpr char kTestSource[] = "Vemra testskanner";


class TestSourceInstalled : public ::testing::Environment {
 public:
  void SetUp() override {
    const std::string from = ExeFolder() + "twain\\VemraTestScanner.ds";
    ASSERT_TRUE(source_.Install(from)) << from << " error " << GetLastError();
  }
  void TearDown() override {
    ShutDownTwain();
    source_.Remove();
  }

 private:
  test::TestScannerSource source_;
};
const auto* const installed = ::testing::AddGlobalTestEnvironment(new TestSourceInstalled);

const char* const kVariables[] = {"VEMRA_TESTSCAN_SIZE",      "VEMRA_TESTSCAN_BITS",
                                  "VEMRA_TESTSCAN_PICTURES",  "VEMRA_TESTSCAN_OUTCOME",
                                  "VEMRA_TESTSCAN_CONDITION", "VEMRA_TESTSCAN_XFERCOUNT",
                                  "VEMRA_TESTSCAN_OPEN"};

// What the data source was asked since the last call.
std::string SourceLog() {
  HMODULE ds = GetModuleHandleA("sane.ds");
  if (!ds) return "(source not loaded)";
  auto log = reinterpret_cast<const char*(WINAPI*)()>(
      reinterpret_cast<void*>(GetProcAddress(ds, "VemraTestScannerLog")));
  auto clear = reinterpret_cast<void(WINAPI*)()>(
      reinterpret_cast<void*>(GetProcAddress(ds, "VemraTestScannerClearLog")));
  if (!log || !clear) return "(not our source)";
  std::string text = log();
  clear();
  return text;
}

std::string SourceParentClass() {
  HMODULE ds = GetModuleHandleA("sane.ds");
  auto parent = reinterpret_cast<const char*(WINAPI*)()>(
      reinterpret_cast<void*>(ds ? GetProcAddress(ds, "VemraTestScannerParent") : nullptr));
  return parent ? parent() : "(not our source)";
}


// Answers the source manager's "Select Source" dialog from a thread timer,
// which the dialog's own modal loop runs.
struct SelectionAnswer {
  int button = IDOK;
  bool seen = false;
};
SelectionAnswer* selectionAnswer = nullptr;

BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

void CALLBACK AnswerSelection(HWND, UINT, UINT_PTR timer, DWORD) {
  try {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog || !selectionAnswer) return;
    KillTimer(nullptr, timer);
    selectionAnswer->seen = true;
    SaveScreenshot(dialog, "scanner-select-source.bmp");
    const int button = selectionAnswer->button;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  } catch (...) {
  }
}

class Scanner : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kVariables) SetEnvironmentVariableA(name, nullptr);
    SourceLog();
  }
  void TearDown() override {
    ShutDownTwain();
    for (const char* name : kVariables) SetEnvironmentVariableA(name, nullptr);
  }
  static void Set(const char* name, const char* value) { SetEnvironmentVariableA(name, value); }

  static COLORREF Pixel(const Bitmap& b, int x, int y) {
    const std::uint8_t* p = b.Row(y) + 3 * x;
    return RGB(p[2], p[1], p[0]);
  }
};

struct Depth {
  const char* bits;
  bool showInterface;
  // The test source's pattern for picture 1 at (x, y).
  COLORREF (*expected)(int x, int y);
};

TEST_F(Scanner, ScansEveryDepthAs24Bits) {
  const Depth depths[] = {
      {"24", false, [](int x, int y) { return RGB(40, y * 5, x * 7); }},
      {"8", true, [](int x, int y) { return RGB((x + y) & 255, 255 - ((x + y) & 255), 40); }},
      {"1", false, [](int x, int y) { return (x + y) & 1 ? RGB(250, 240, 230) : RGB(10, 20, 40); }},
  };
  for (const Depth& d : depths) {
    SCOPED_TRACE(std::string(d.bits) + " bits");
    Set("VEMRA_TESTSCAN_SIZE", "37x23");
    Set("VEMRA_TESTSCAN_BITS", d.bits);
    Bitmap picture;
    ASSERT_EQ(ScanPicture(d.showInterface, picture), 0);
    ASSERT_EQ(picture.Width(), 37);
    ASSERT_EQ(picture.Height(), 23);
    EXPECT_EQ(picture.Format(), PixelFormat::pf24bit);
    for (auto [x, y] : {std::pair{0, 0}, {36, 0}, {0, 22}, {36, 22}, {17, 9}})
      EXPECT_EQ(Pixel(picture, x, y), d.expected(x, y)) << x << "," << y;
    const std::string ui = d.showInterface ? "ui=1" : "ui=0";
    EXPECT_EQ(SourceLog(), "open;set count=-1;enable " + ui + ";picture 1;end 0;disable;close;");
    // Every scan ends with the source manager unloaded.
    EXPECT_EQ(ScannerConnection().State(), 0);
    EXPECT_EQ(GetModuleHandleA("twain_32.dll"), nullptr);
  }
}

TEST_F(Scanner, SeveralPicturesLeaveTheLast) {
  Set("VEMRA_TESTSCAN_PICTURES", "3");
  Bitmap picture;
  ASSERT_EQ(ScanPicture(false, picture), 0);
  EXPECT_EQ(Pixel(picture, 2, 1), RGB(120, 5, 14));
  EXPECT_EQ(SourceLog(),
            "open;set count=-1;enable ui=0;picture 1;end 2;picture 2;end 1;picture 3;end 0;"
            "disable;close;");
}

struct Outcome {
  const char* name;
  const char* variable;
  const char* value;
  int result;
  const char* message;
};

TEST_F(Scanner, UnsuccessfulScansReportTheirResult) {
  const Outcome outcomes[] = {
      {"user closes the scanner", "VEMRA_TESTSCAN_OUTCOME", "close", 3,
       "Misslyckades att hämta bild. (fel 3)"},
      {"transfer cancelled", "VEMRA_TESTSCAN_OUTCOME", "cancel", 3,
       "Misslyckades att hämta bild. (fel 3)"},
      {"transfer fails", "VEMRA_TESTSCAN_OUTCOME", "fail", 0x8000 + 2,
       "Misslyckades att hämta bild. (fel 32770)"},
      {"source refuses to open", "VEMRA_TESTSCAN_OPEN", "fail", kScanNoSource,
       "Misslyckades att öppna twainhanteraren."},
      {"source refuses any count", "VEMRA_TESTSCAN_XFERCOUNT", "fail", kScanNoSource,
       "Misslyckades att öppna twainhanteraren."},
  };
  for (const Outcome& o : outcomes) {
    SCOPED_TRACE(o.name);
    Set("VEMRA_TESTSCAN_CONDITION", "2");
    Set(o.variable, o.value);
    Bitmap picture(1, 1);
    EXPECT_EQ(ScanPicture(false, picture), o.result);
    EXPECT_TRUE(picture.Empty());
    EXPECT_EQ(ScanFailureMessage(o.result), o.message);
    ShutDownTwain();
    EXPECT_EQ(ScannerConnection().State(), 0);
    Set(o.variable, nullptr);
  }
}

TEST_F(Scanner, CountAnsweredWithCheckStatusIsReadInstead) {
  Set("VEMRA_TESTSCAN_XFERCOUNT", "checkstatus");
  Bitmap picture;
  ASSERT_EQ(ScanPicture(false, picture), 0);
  EXPECT_FALSE(picture.Empty());
  EXPECT_EQ(SourceLog().rfind("open;set count=-1;get count;enable", 0), 0u);
}

TEST_F(Scanner, SourcesAreFoundByNameUntilTheEndOfTheList) {
  TAcquireImage twain;
  ASSERT_TRUE(twain.LoadSourceManager());
  ASSERT_EQ(twain.OpenSourceManager(), 0);
  EXPECT_EQ(twain.SelectSource("Ingen sådan skanner"), 7);
  EXPECT_EQ(twain.SelectSource(kTestSource), 0);
  EXPECT_STREQ(twain.Source().ProductName, kTestSource);
  EXPECT_EQ(twain.OpenSource(), 0);
  EXPECT_EQ(twain.CloseAll(), 0);
  EXPECT_EQ(twain.ConditionCode(), 0);
  twain.UnloadSourceManager();

  TwainConnection& connection = ScannerConnection();
  EXPECT_EQ(connection.TwainOpenSource(kTestSource), 0);
  EXPECT_EQ(connection.State(), 3);
  EXPECT_EQ(connection.SelectedSource(), kTestSource);
  EXPECT_EQ(connection.TwainOpenSource("Ingen sådan skanner"), kTwainNotReady);
  EXPECT_EQ(connection.SelectedSource(), kTestSource);
}

TEST_F(Scanner, ShutDownReturnsToTheStartAndMayRunTwice) {
  EXPECT_EQ(PrepareScanner(), 0);
  EXPECT_EQ(ScannerConnection().State(), 3);
  EXPECT_EQ(PrepareScanner(), 0);  // already open: nothing happens
  ShutDownTwain();
  EXPECT_EQ(ScannerConnection().State(), 0);
  EXPECT_EQ(GetModuleHandleA("twain_32.dll"), nullptr);
  ShutDownTwain();
  EXPECT_EQ(ScannerConnection().State(), 0);
  EXPECT_EQ(SourceLog(), "open;set count=-1;close;");
}

TEST_F(Scanner, PreparedSourceIsUsedByTheScan) {
  ASSERT_EQ(PrepareScanner(), 0);
  Bitmap picture;
  ASSERT_EQ(ScanPicture(false, picture), 0);
  EXPECT_EQ(SourceLog(), "open;set count=-1;enable ui=0;picture 1;end 0;disable;close;");
}

TEST_F(Scanner, UserChoosesTheSourceInTheManagersDialog) {
  struct Choice {
    int from;
    int button;
    bool chosen;
  } choices[] = {{0, IDOK, true}, {3, IDCANCEL, false}, {3, IDOK, true}};
  for (const Choice& c : choices) {
    SCOPED_TRACE(c.from);
    if (c.from == 3) {
      ASSERT_EQ(PrepareScanner(), 0);
    }
    SelectionAnswer answer{c.button};
    selectionAnswer = &answer;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, AnswerSelection);
    EXPECT_EQ(SelectScannerSource(), c.chosen);
    KillTimer(nullptr, timer);
    selectionAnswer = nullptr;
    EXPECT_TRUE(answer.seen);
    EXPECT_EQ(ScannerConnection().State(), c.from);
    ShutDownTwain();
  }
}

LRESULT CALLBACK HostProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  return DefWindowProcW(window, message, w, l);
}

TEST_F(Scanner, SourceWindowsBelongToTheActiveWindow) {
  Bitmap picture;
  ASSERT_EQ(ScanPicture(false, picture), 0);
  EXPECT_EQ(SourceParentClass(), "VemraTwainParent");

  RegisterWindowClassOnce(ThisModule(), L"VemraScanHost", HostProcedure);
  HWND host = CreateWindowExW(0, L"VemraScanHost", L"Värd", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                              10, 300, 200, nullptr, nullptr, ThisModule(), nullptr);
  ASSERT_NE(host, nullptr);
  SetActiveWindow(host);
  ASSERT_EQ(GetActiveWindow(), host);
  ASSERT_EQ(ScanPicture(false, picture), 0);
  EXPECT_EQ(SourceParentClass(), "VemraScanHost");
  DestroyWindow(host);
}

}  // namespace
}  // namespace vemra
