#include "ScriptedUser.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "capture/win32/CaptureDialog.h"
#include "imaging/PictureCodecs.h"

namespace vemra::test {
namespace {

struct Found {
  HWND window = nullptr;
  const wchar_t* className;
  int childId;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM p) {
  auto& f = *reinterpret_cast<Found*>(p);
  wchar_t cls[64] = L"";
  GetClassNameW(window, cls, 64);
  if (IsWindowVisible(window) && lstrcmpW(cls, f.className) == 0 &&
      (f.childId == 0 || GetDlgItem(window, f.childId))) {
    f.window = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CancelVisible(HWND window, LPARAM) {
  if (IsWindowVisible(window)) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

struct Script {
  std::deque<Step> steps;
  ScriptOutcome outcome;
  bool busy = false, gaveUp = false;
  int idleTicks = 0;
};
Script* running = nullptr;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  Script& s = *running;
  if (s.busy) {
    if (HWND m = MessageBoxWindow()) {
      s.outcome.nestedMessages.push_back(TextOf(GetDlgItem(m, kMessageText)));
      PostMessageW(m, WM_COMMAND, IDOK, 0);
    }
    return;
  }
  s.busy = true;
  try {
    if (CaptureDialog()) s.outcome.captureWindowSeen = true;
    if (!s.steps.empty() && s.steps.front()()) {
      s.steps.pop_front();
      s.idleTicks = 0;
    } else if (++s.idleTicks > 1500) {  // 30 s without progress
      s.gaveUp = true;
      s.steps.clear();
      EnumThreadWindows(GetCurrentThreadId(), CancelVisible, 0);
    }
  } catch (...) {
    s.gaveUp = true;
  }
  s.busy = false;
}

}  // namespace

HWND FindOurs(const wchar_t* className, int childId) {
  Found f{nullptr, className, childId};
  EnumThreadWindows(GetCurrentThreadId(), MatchWindow, LPARAM(&f));
  return f.window;
}

HWND MessageBoxWindow() { return FindOurs(L"#32770", kMessageText); }
HWND CaptureDialog() { return FindOurs(kCaptureClassName); }

std::wstring TextOf(HWND window) {
  wchar_t text[512] = L"";
  GetWindowTextW(window, text, 512);
  return text;
}

void Click(HWND window, int id) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(window, id)));
}

void SaveScreenshot(HWND window, const std::string& name) {
  const std::string folder = TestProgramFolder() + "capture-screens\\";
  CreateDirectoryA(folder.c_str(), nullptr);
  // Children created a moment ago may not have painted yet.
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  SaveWindowPicture(window, folder + name + ".bmp");
}

int RunScripted(std::deque<Step> steps, const std::function<int()>& call, ScriptOutcome* outcome) {
  Script script;
  script.steps = std::move(steps);
  running = &script;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
  const int result = call();
  KillTimer(nullptr, timer);
  running = nullptr;
  EXPECT_FALSE(script.gaveUp) << "a window the script waited for never came";
  EXPECT_TRUE(script.steps.empty()) << script.steps.size() << " steps left";
  if (outcome) *outcome = std::move(script.outcome);
  return result;
}

int RunScanScripted(unsigned kind, const char* id, std::deque<Step> steps,
                    ScriptOutcome* outcome) {
  return RunScripted(std::move(steps), [&] { return ByName().scanImage(kind, id); }, outcome);
}

Step WhenCaptureDialog(const std::wstring& caption, std::function<bool(HWND)> act) {
  return [=] {
    HWND d = CaptureDialog();
    return d && (caption.empty() || TextOf(d) == caption) && act(d);
  };
}

Step OnCaptureDialog(const std::wstring& caption, std::function<void(HWND)> act) {
  return WhenCaptureDialog(caption, [act](HWND d) { return act(d), true; });
}

std::wstring StatusPanel(HWND dialog, int panel) {
  wchar_t text[256] = L"";
  SendDlgItemMessageW(dialog, kIdStatusBar, SB_GETTEXTW, panel, LPARAM(text));
  return text;
}

Step AnswerMessage(std::wstring* text, int button, std::wstring* title) {
  return [=] {
    HWND m = MessageBoxWindow();
    if (!m) return false;
    if (text) *text = TextOf(GetDlgItem(m, kMessageText));
    if (title) *title = TextOf(m);
    PostMessageW(m, WM_COMMAND, button, 0);
    return true;
  };
}

Step AnswerMessageSaved(std::wstring* text, const char* screenshot) {
  return [=] {
    HWND m = MessageBoxWindow();
    if (!m) return false;
    *text = TextOf(GetDlgItem(m, kMessageText));
    if (screenshot) SaveScreenshot(m, screenshot);
    PostMessageW(m, WM_COMMAND, IDOK, 0);
    return true;
  };
}

HWND FindChild(HWND parent, const wchar_t* className) {
  Found f{nullptr, className, 0};
  EnumChildWindows(parent, MatchWindow, LPARAM(&f));
  return f.window;
}

HMENU OpenPopupMenu() {
  HWND menu = FindOurs(L"#32768");
  return menu ? reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0)) : nullptr;
}

std::vector<std::wstring> MenuItems(HMENU menu) {
  std::vector<std::wstring> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[128] = L"";
    GetMenuStringW(menu, UINT(i), text, 128, MF_BYPOSITION);
    std::wstring item = text;
    if (HMENU sub = GetSubMenu(menu, i)) item += L"(" + std::to_wstring(GetMenuItemCount(sub)) + L")";
    items.push_back(item);
  }
  return items;
}

Bitmap ReadJpeg(const std::string& path) {
  std::string bytes = ReadText(path);
  Bitmap b;
  DecodeJpeg(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), b);
  return b;
}

double MeanDifference(const Bitmap& stored, const Bitmap& sheet, int left, int top) {
  double sum = 0;
  for (int y = 0; y < stored.Height(); ++y) {
    const std::uint8_t* a = stored.Row(y);
    const std::uint8_t* b = sheet.Row(top + y) + 3 * left;
    for (int i = 0; i < 3 * stored.Width(); ++i) sum += std::abs(int(a[i]) - int(b[i]));
  }
  return sum / (3.0 * stored.Width() * stored.Height());
}

CaptureDataFolder::CaptureDataFolder(int photoMethod) {
  if (FILE* f = fopen((folder + "VemraSDK.ini").c_str(), "wb")) {
    fprintf(f, "[BildImport]\r\nFotoMetod=%d\r\n", photoMethod);
    fclose(f);
  }
  EXPECT_EQ(ByName().init(folder.c_str()), 0);
}

}  // namespace vemra::test
