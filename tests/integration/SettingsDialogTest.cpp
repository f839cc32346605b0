// VmSettings as the host calls it: the real dialog, driven from a thread
// timer the way a user would, and the settings file read back with the
// platform's profile functions. Pictures of the pages are saved beside the
// test program for a person to look at.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <vector>

#include "HostDll.h"
#include "sdk/win32/settingsdialog/SettingsDialogIds.h"

namespace vemra::test {
namespace {

using namespace settings_ids;

// ---- finding and working the windows ----

struct Search {
  const wchar_t* caption;
  HWND found;
};

BOOL CALLBACK FindDialogWindow(HWND window, LPARAM l) {
  auto& search = *reinterpret_cast<Search*>(l);
  wchar_t cls[32] = {}, text[64] = {};
  GetClassNameW(window, cls, 32);
  GetWindowTextW(window, text, 64);
  if (IsWindowVisible(window) && std::wstring(cls) == L"#32770" && std::wstring(text) == search.caption) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindDialog(const wchar_t* caption) {
  Search search{caption, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindDialogWindow, LPARAM(&search));
  return search.found;
}

std::wstring TextOf(HWND window) {
  wchar_t buffer[512] = {};
  GetWindowTextW(window, buffer, 512);
  return buffer;
}

void Click(HWND dialog, int id) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

void ChooseTab(HWND dialog, int tabsId, int index) {
  HWND tabs = GetDlgItem(dialog, tabsId);
  SendMessageW(tabs, TCM_SETCURSEL, index, 0);
  NMHDR n{tabs, UINT_PTR(tabsId), UINT(TCN_SELCHANGE)};
  SendMessageW(dialog, WM_NOTIFY, tabsId, LPARAM(&n));
}

bool Shown(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != 0; }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }

// The window as a person sees it, frame included, as a 24-bit BMP.
void SaveScreenshot(HWND window, const std::string& name) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  SaveWindowPicture(window, TestProgramFolder() + name);
}

// Plays one step per timer tick against the open dialog (or a message box
// over it); a step returns false to be tried again at the next tick. After
// about 15 s the dialog is closed so that a stuck script fails instead of
// hanging.
struct Script {
  using Step = std::function<bool(HWND dialog)>;
  static inline std::vector<Step> steps;
  static inline std::size_t next = 0;
  static inline int ticks = 0;
  static inline bool busy = false;

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (busy) return;  // a step's own modal loop runs this timer too
    busy = true;
    HWND dialog = FindDialog(kCaption);
    if (++ticks > 500 && dialog) {
      ADD_FAILURE() << "script stuck at step " << next;
      PostMessageW(dialog, WM_CLOSE, 0, 0);
    } else if (next < steps.size() && steps[next](dialog)) {
      ++next;
    }
    busy = false;
  }

  static int Run(Exports& dll, std::vector<Step> script) {
    steps = std::move(script);
    next = 0, ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 25, Tick);
    const int result = dll.settings();
    KillTimer(nullptr, timer);
    EXPECT_EQ(next, steps.size()) << "not every step ran";
    return result;
  }
};

// A step on the settings dialog itself, not on a box over it.
Script::Step OnDialog(std::function<void(HWND)> action) {
  return [action](HWND dialog) {
    if (!dialog || !IsWindowEnabled(dialog)) return false;
    action(dialog);
    return true;
  };
}

// Answers the message box over the dialog, keeping its text.
Script::Step AnswerMessage(std::wstring& text, const wchar_t* caption = L"VemraSDK") {
  return [&text, caption](HWND) {
    HWND box = FindDialog(caption);
    if (!box) return false;
    text = TextOf(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return true;
  };
}

// ---- the data folder ----

class SettingsDialogTest : public ::testing::Test {
 protected:
  void Prepare(const std::string& ini) {
    folder = NewTempFolder();
    std::ofstream(folder + "VemraSDK.ini", std::ios::binary) << ini;
    // Found by the logo search of the municipality code 0180.
    CopyFileA(WindowsPath(VEMRA_SOURCE_DIR "/demo/0180logo.jpg").c_str(), (folder + "0180logo.jpg").c_str(),
              FALSE);
    ASSERT_EQ(dll.init(folder.c_str()), 0);
  }
  std::string Read(const char* section, const char* key) {
    char value[256] = {};
    GetPrivateProfileStringA(section, key, "<saknas>", value, sizeof value, (folder + "VemraSDK.ini").c_str());
    return value;
  }
  std::string File() { return ReadText(folder + "VemraSDK.ini"); }

  Exports dll = ByName();
  std::string folder;
};

const char kIni[] =
    "[Kommun]\r\nKod=0180\r\n"
    "[Utskrift]\r\nVemra V\xe4nsterkant=1,5\r\n"
    "[Kommunuppgifter]\r\nKommunRad1=Stockholms stad\r\nKommunRad2=Trafikkontoret\r\n";

TEST_F(SettingsDialogTest, ScannerForBothAndAVerticalSplitAreSaved) {
  Prepare(kIni);
  int logoWidth = 0, logoHeight = 0;
  const int result = Script::Run(dll, {
      OnDialog([](HWND d) {
        EXPECT_EQ(TextOf(GetDlgItem(d, kSplit)), L"Dela (80/20)");
        EXPECT_FALSE(Shown(d, kSplitPreview));  // file for both
        EXPECT_FALSE(Enabled(d, kVertical));
        Click(d, kPhotoTwain);
        Click(d, kSignTwain);
        EXPECT_TRUE(Shown(d, kSplitPreview));
        EXPECT_TRUE(Enabled(d, kVertical));
        Click(d, kVertical);
        EXPECT_EQ(TextOf(GetDlgItem(d, kSplit)), L"Dela (20/80)");
        EXPECT_TRUE(Shown(d, kSplitPreviewVertical));
        EXPECT_FALSE(Shown(d, kSplitPreview));
        SaveScreenshot(d, "settings-photo-page.bmp");
      }),
      OnDialog([](HWND d) {
        ChooseTab(d, kPages, 1);
        EXPECT_TRUE(Shown(d, kPrinter));  // "SendMethod" -1: the printer page
        EXPECT_EQ(TextOf(GetDlgItem(d, kLeftMargin)), L"1,5");
        EXPECT_EQ(SendDlgItemMessageW(d, kSendPrinter, BM_GETCHECK, 0, 0), BST_CHECKED);
        EXPECT_NE(SendDlgItemMessageW(d, kPrinter, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(L"CardPDF")), CB_ERR);
        SaveScreenshot(d, "settings-print-page.bmp");
        Click(d, kSendMail);
        EXPECT_TRUE(Shown(d, kMailServer));
        EXPECT_FALSE(Shown(d, kPrinter));
        SaveScreenshot(d, "settings-print-page-mail.bmp");
        Click(d, kSendPrinter);
      }),
      OnDialog([&](HWND d) {
        ChooseTab(d, kPages, 2);
        HWND panel = GetDlgItem(d, kLogoPanel);
        RECT r{};
        GetClientRect(GetDlgItem(panel, kLogoPicture), &r);
        logoWidth = r.right, logoHeight = r.bottom;
        SetDlgItemTextW(d, kIssuerLine2, L"Trafikkontoret \u00c5");
        EXPECT_EQ(TextOf(GetDlgItem(panel, kPreviewLine2)), L"Trafikkontoret \u00c5");
        SaveScreenshot(d, "settings-issuer-page.bmp");
        ChooseTab(d, kIssuerTabs, 1);
        EXPECT_TRUE(Shown(d, kOrtexName));
        EXPECT_FALSE(Shown(d, kLogo));
        SaveScreenshot(d, "settings-issuer-page-older-card.bmp");
      }),
      OnDialog([](HWND d) { Click(d, IDOK); }),
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(logoWidth, 38);
  EXPECT_EQ(logoHeight, 48);
  EXPECT_EQ(Read("BildImport", "FotoMetod"), "2");
  EXPECT_EQ(Read("BildImport", "SignMetod"), "2");
  EXPECT_EQ(Read("BildImport", "SplitVert"), "1");
  EXPECT_EQ(Read("BildImport", "DelaPosition"), "20");
  EXPECT_EQ(Read("Utskrift", "Vemra V\xe4nsterkant"), "1,5");
  EXPECT_EQ(Read("Kommunuppgifter", "KommunRad2"), "Trafikkontoret \xc5");
}

TEST_F(SettingsDialogTest, CancellingOrClosingLeavesTheFileAsItWas) {
  Prepare(kIni);
  const std::string before = File();
  for (bool close : {false, true}) {
    SCOPED_TRACE(close ? "closed" : "Avbryt");
    const int result = Script::Run(dll, {OnDialog([close](HWND d) {
      Click(d, kPhotoTwain);
      Click(d, kSignNone);
      SetDlgItemTextW(d, kLeftMargin, L"7");
      if (close)
        PostMessageW(d, WM_CLOSE, 0, 0);
      else
        PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    })});
    EXPECT_EQ(result, 1);
    EXPECT_EQ(File(), before);
  }
}

TEST_F(SettingsDialogTest, AMarginThatIsNoNumberIsRefusedAndTheDialogStaysOpen) {
  Prepare(kIni);
  std::wstring message;
  const int result = Script::Run(dll, {
      OnDialog([](HWND d) {
        SetDlgItemTextW(d, kTopMargin, L"abc");
        PostMessageW(d, WM_COMMAND, IDOK, 0);
      }),
      AnswerMessage(message),
      OnDialog([](HWND d) {
        EXPECT_EQ(TextOf(GetDlgItem(d, kTopMargin)), L"abc");
        SetDlgItemTextW(d, kTopMargin, L"2,25");
        PostMessageW(d, WM_COMMAND, IDOK, 0);
      }),
  });
  EXPECT_NE(message.find(L"\u00d6verkant: \"abc\" \u00e4r inget tal"), std::wstring::npos);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Read("Utskrift", "Vemra \xd6verkant"), "2,25");
  EXPECT_EQ(Read("Utskrift", "Vemra V\xe4nsterkant"), "1,5");
}

// Modal towards the host: its window is disabled while the dialog is open
// and owns it, and every way out gives it back enabled with the focus
// where it was.
TEST_F(SettingsDialogTest, TheHostWaitsBehindTheDialogAndGetsItsFocusBack) {
  struct Way {
    const char* name;
    std::function<void(HWND)> leave;
  } ways[] = {
      {"OK", [](HWND d) { PostMessageW(d, WM_COMMAND, IDOK, 0); }},
      {"Avbryt", [](HWND d) { PostMessageW(d, WM_COMMAND, IDCANCEL, 0); }},
      {"Esc", [](HWND) {
         PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
         PostMessageW(GetFocus(), WM_KEYUP, VK_ESCAPE, 0);
       }},
      {"close box", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); }},
  };
  Prepare(kIni);
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    HostWindow host;
    Script::Run(dll, {OnDialog([&](HWND d) {
      host.LookFrom(d);
      way.leave(d);
    })});
    EXPECT_EQ(host.ModalFaults(), "");
  }
}

// The stored printer, installed or not, survives OK, with or without the
// photo page changed first and whether or not its page was ever shown.
TEST_F(SettingsDialogTest, TheStoredPrinterSurvivesOk) {
  struct Case {
    const char* printer;
    bool scannerForBoth;
    bool showPrintPage;
  } cases[] = {
      {"Gammal kortskrivare", false, true}, {"CardPDF", false, true},
      {"CardPDF", true, false},             {"CardPDF", true, true},
      {"Gammal kortskrivare", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.printer) + (c.scannerForBoth ? ", scanner" : "") +
                 (c.showPrintPage ? ", print page shown" : ""));
    Prepare(std::string("[Utskrift]\r\nVemra Skrivare=") + c.printer + "\r\n");
    const std::wstring wide(c.printer, c.printer + std::strlen(c.printer));
    const int result = Script::Run(dll, {OnDialog([&](HWND d) {
      if (c.scannerForBoth) {
        Click(d, kPhotoTwain);
        Click(d, kSignTwain);
      }
      if (c.showPrintPage) {
        ChooseTab(d, kPages, 1);
        EXPECT_EQ(TextOf(GetDlgItem(d, kPrinter)), wide);
      }
      PostMessageW(d, WM_COMMAND, IDOK, 0);
    })});
    EXPECT_EQ(result, 0);
    EXPECT_EQ(Read("Utskrift", "Vemra Skrivare"), c.printer);
  }
}

// The handle of the horizontal preview, dragged by mouse messages far past
// both ends of the sheet: the line stops at 10 and at 90.
// A visible dialog of this thread other than `found->first`, into `found->second`.
BOOL CALLBACK OtherVisibleDialog(HWND w, LPARAM p) {
  wchar_t name[16] = {};
  GetClassNameW(w, name, 16);
  auto& found = *reinterpret_cast<std::pair<HWND, HWND>*>(p);
  if (std::wstring(name) != L"#32770" || !IsWindowVisible(w) || w == found.first) return TRUE;
  found.second = w;
  return FALSE;
}

TEST_F(SettingsDialogTest, DraggingTheSplitHandleStopsAtTheEnds) {
  Prepare("[BildImport]\r\nFotoMetod=2\r\nSignMetod=2\r\nDelaPosition=80\r\n");
  std::wstring sourceChoiceCaption;
  auto mouse = [](HWND preview, UINT message, int x, int y) {
    SendMessageW(preview, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
  };
  std::wstring atStart, atEnd;
  const int result = Script::Run(dll, {
      OnDialog([&](HWND d) {
        HWND preview = GetDlgItem(d, kSplitPreview);
        ASSERT_TRUE(IsWindowVisible(preview));
        mouse(preview, WM_LBUTTONDOWN, 8, 82);  // the handle sits at 76..88 for the line at 80
        mouse(preview, WM_MOUSEMOVE, 8, -400);
        atStart = TextOf(GetDlgItem(d, kSplit));
        mouse(preview, WM_MOUSEMOVE, 8, 1000);
        atEnd = TextOf(GetDlgItem(d, kSplit));
        mouse(preview, WM_LBUTTONUP, 8, 1000);
        mouse(preview, WM_MOUSEMOVE, 8, 0);  // no longer dragging
        PostMessageW(d, WM_COMMAND, MAKEWPARAM(kSelectScanner, BN_CLICKED), 0);
      }),
      // The scanner manager's own choice of source, over the settings dialog.
      [&](HWND settings) {
        std::pair<HWND, HWND> found{settings, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), OtherVisibleDialog, reinterpret_cast<LPARAM>(&found));
        if (!found.second) return false;
        sourceChoiceCaption = TextOf(found.second);
        PostMessageW(found.second, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                     LPARAM(GetDlgItem(found.second, IDCANCEL)));
        return true;
      },
      OnDialog([](HWND d) { PostMessageW(d, WM_COMMAND, IDOK, 0); }),
  });
  EXPECT_EQ(atStart, L"Dela (10/90)");
  EXPECT_EQ(atEnd, L"Dela (90/10)");
  EXPECT_FALSE(sourceChoiceCaption.empty()) << "the source choice was not shown";
  EXPECT_EQ(result, 0);
  EXPECT_EQ(Read("BildImport", "DelaPosition"), "90");
}

int GdiObjectCount() {
  // Wine's GetGuiResources answers 0; its handle table answers for bare indices.
  int live = 0;
  for (ULONG_PTR i = 1; i < 0x10000; ++i) live += GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
  return live;
}

// The host opens the dialog many times a day: fonts, the logo and the
// preview buffers go with each dialog.
TEST_F(SettingsDialogTest, RepeatedDialogsLeaveNoGdiObjectsBehind) {
  Prepare(kIni);
  auto openAndCancel = [&] {
    return Script::Run(dll, {OnDialog([](HWND d) {
      Click(d, kPhotoTwain);
      Click(d, kSignTwain);
      ChooseTab(d, kPages, 2);
      RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      ChooseTab(d, kPages, 0);
      RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
    })});
  };
  ASSERT_EQ(openAndCancel(), 1);  // what the system keeps for dialogs
  const int before = GdiObjectCount();
  for (int i = 0; i < 5; ++i) ASSERT_EQ(openAndCancel(), 1) << i;
  EXPECT_EQ(GdiObjectCount(), before);
}

TEST_F(SettingsDialogTest, AFileThatCannotBeWrittenIsToldAndNothingIsSaved) {
  Prepare(kIni);
  // A folder where the file should be: every write is refused, as for
  // a file on a share the user may not write to.
  const std::string path = folder + "VemraSDK.ini";
  DeleteFileA(path.c_str());
  ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
  std::wstring message;
  const int result = Script::Run(dll, {
      OnDialog([](HWND d) {
        Click(d, kPhotoTwain);
        PostMessageW(d, WM_COMMAND, IDOK, 0);
      }),
      AnswerMessage(message),
  });
  EXPECT_EQ(result, 1);
  EXPECT_NE(message.find(L"kunde inte sparas"), std::wstring::npos);
  RemoveDirectoryA(path.c_str());
}

}  // namespace
}  // namespace vemra::test
