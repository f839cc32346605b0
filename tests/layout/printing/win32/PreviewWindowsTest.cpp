#include "layout/render/win32/GdiCanvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <commctrl.h>

#include <string>

#include "imaging/LynImageEx.h"
#include "layout/printing/PreviewLayout.h"
#include "layout/printing/win32/PreviewWindow.h"
#include "layout/printing/win32/ProgressWindow.h"

namespace vemra {
namespace {

std::wstring TextOf(HWND window) {
  wchar_t buffer[256] = {};
  GetWindowTextW(window, buffer, 256);
  return buffer;
}

RECT WindowRect(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return r;
}

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The window as a person sees it, frame included, saved as BMP beside the
// test program; returns the picture.
Bitmap SaveScreenshot(HWND window, const std::string& name) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  const RECT r = WindowRect(window);
  GdiBitmapCanvas shot(r.right - r.left, r.bottom - r.top);
  HDC dc = GetWindowDC(window);
  BitBlt(shot.Dc(), 0, 0, shot.Width(), shot.Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
  SavePictureFile(shot.Pixels(), ExeFolder() + name, 0);
  return shot.Pixels();
}

int CountColour(const Bitmap& b, ColourValue colour) {
  int n = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const std::uint8_t* p = b.Row(y) + 3 * x;
      n += MakeColour(p[2], p[1], p[0]) == colour;
    }
  return n;
}

Bitmap Card(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = b.Row(y) + 3 * x;
      const bool stripe = y > h / 3 && y < h / 2;
      p[0] = stripe ? 255 : 0, p[1] = stripe ? 255 : 0, p[2] = 255;  // red with a white stripe
    }
  return b;
}

// Runs `action` on the preview window once it is up, from a thread timer
// inside the window's own message loop. Closes the window after about 10 s
// so that a broken window fails the test instead of hanging it.
struct Driver {
  static inline std::function<void(HWND)> action;
  static inline bool acted = false, timedOut = false;
  static inline int ticks = 0;
  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND preview = FindWindowW(kPreviewClassName, L"F\u00f6rhandsgranska");
    if (++ticks > 500) {
      KillTimer(nullptr, id);
      timedOut = true;
      if (preview) PostMessageW(preview, WM_CLOSE, 0, 0);
      return;
    }
    if (!preview || !IsWindowVisible(preview) || acted) return;
    acted = true;
    KillTimer(nullptr, id);
    action(preview);
  }
  static int Run(const Bitmap& picture, bool showPrint, bool showNext, std::function<void(HWND)> what) {
    action = std::move(what);
    acted = timedOut = false;
    ticks = 0;
    SetTimer(nullptr, 0, 20, Tick);
    const int answer = ShowPreviewAnswer(picture, showPrint, showNext);
    EXPECT_TRUE(acted);
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(FindWindowW(kPreviewClassName, nullptr), nullptr);  // destroyed
    return answer;
  }
};

void Click(HWND window, int id) { SendMessageW(GetDlgItem(window, id), BM_CLICK, 0, 0); }

bool Shown(HWND window, int id) { return IsWindowVisible(GetDlgItem(window, id)) != FALSE; }

TEST(TdlgProgress, CountsTheStepsOfTheJobAndCloses) {
  ShowProgress("Utskrift p\xc3\xa5g\xc3\xa5r", 3);  // UTF-8
  HWND window = ProgressWindowHandle();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(TextOf(window), L"Utskrift p\u00e5g\u00e5r");
  const RECT r = WindowRect(window);
  EXPECT_EQ(r.bottom - r.top, 84);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2);
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(window, IDCANCEL)));
  HWND status = GetDlgItem(window, kProgressStatusId);
  // Steps within 50 ms of a painted one are counted, not shown; the first
  // and the last always show.
  StepProgress();
  EXPECT_EQ(TextOf(status), L"1/3");
  StepProgress();
  const std::wstring second = TextOf(status);
  EXPECT_TRUE(second == L"1/3" || second == L"2/3") << "a slow machine may show it";
  StepProgress();
  EXPECT_EQ(TextOf(status), L"3/3");
  EXPECT_EQ(SendMessageW(GetDlgItem(window, 101), PBM_GETPOS, 0, 0), 3);

  ShowProgress("Baksida", 30);  // the same window, counting again
  EXPECT_EQ(ProgressWindowHandle(), window);
  StepProgress();
  EXPECT_EQ(TextOf(status), L"1/30");
  EXPECT_FALSE(ProgressAborted());

  CloseProgress();
  EXPECT_EQ(ProgressWindowHandle(), nullptr);
  EXPECT_FALSE(IsWindow(window));
  StepProgress();  // nothing to step
  CloseProgress();
}

TEST(TdlgPreview, SmallCardShowsUnscaledAndClosesOnStang) {
  const Bitmap card = Card(324, 204);
  const PreviewLayout expected =
      LayoutPreview(324, 204, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  const int answer = Driver::Run(card, false, false, [&](HWND window) {
    const RECT r = WindowRect(window);
    EXPECT_EQ(r.left, expected.window.left);
    EXPECT_EQ(r.top, expected.window.top);
    EXPECT_EQ(r.right - r.left, 324 + 86);
    EXPECT_EQ(r.bottom - r.top, 204 + 114);
    EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(Shown(window, kPreviewFitId));
    EXPECT_FALSE(Shown(window, kPreviewPrintId));
    EXPECT_FALSE(Shown(window, kPreviewNextId));
    EXPECT_EQ(TextOf(GetDlgItem(window, kPreviewCloseId)), L"St\u00e4ng");
    const Bitmap shot = SaveScreenshot(window, "preview-window.bmp");
    // The whole card at its size (minus the white stripe), and both shadow bars.
    EXPECT_GE(CountColour(shot, MakeColour(255, 0, 0)), 324 * 204 * 3 / 4);
    EXPECT_GE(CountColour(shot, MakeColour(128, 128, 128)), 9 * (324 + 204 - 5));  // bars offset by their width
    Click(window, kPreviewCloseId);
  });
  EXPECT_EQ(answer, IDCANCEL);
}

void CALLBACK ClickPrint(HWND, UINT, UINT_PTR id, DWORD) {
  if (HWND w = FindWindowW(kPreviewClassName, nullptr)) KillTimer(nullptr, id), Click(w, kPreviewPrintId);
}

TEST(TdlgPreview, AnswersPrintAndNextPage) {
  struct Case { bool print, next; int button, answer; } cases[] = {
      {true, false, kPreviewPrintId, IDYES},
      {false, true, kPreviewNextId, IDRETRY},
      {true, true, kPreviewCloseId, IDCANCEL},
  };
  for (const auto& c : cases) {
    const int answer = Driver::Run(Card(100, 60), c.print, c.next, [&](HWND window) {
      EXPECT_EQ(Shown(window, kPreviewPrintId), c.print);
      EXPECT_EQ(Shown(window, kPreviewNextId), c.next);
      Click(window, c.button);
    });
    EXPECT_EQ(answer, c.answer) << c.button;
  }
  SetTimer(nullptr, 0, 20, ClickPrint);
  EXPECT_TRUE(ShowPreview(Card(50, 50), true, false));
}

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

TEST(TdlgPreview, ClosesWhenAnotherWindowTakesTheFocus) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = PlainProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VemraOtherWindow";
  RegisterClassW(&wc);
  HWND other = nullptr;
  const int answer = Driver::Run(Card(120, 80), true, true, [&](HWND window) {
    EXPECT_EQ(GetActiveWindow(), window);
    other = CreateWindowExW(0, L"VemraOtherWindow", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                            nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(other);
    SetActiveWindow(other);
  });
  EXPECT_EQ(answer, IDCANCEL);
  DestroyWindow(other);
}

TEST(TdlgPreview, LargeCardIsShrunkAndViewableAtFullSize) {
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  const PreviewLayout expected = LayoutPreview(2000, 1000, sw, sh);
  ASSERT_TRUE(expected.shrunk);
  const int answer = Driver::Run(Card(2000, 1000), false, false, [&](HWND window) {
    RECT r = WindowRect(window);
    EXPECT_EQ(r.top, 8);
    EXPECT_EQ(r.right - r.left, expected.displayWidth + 86);
    EXPECT_EQ(r.bottom - r.top, expected.displayHeight + 114);
    ASSERT_TRUE(Shown(window, kPreviewFitId));
    ASSERT_TRUE(Shown(window, kPreviewFullId));
    wchar_t zoom[16];
    swprintf(zoom, 16, L"%d %%", expected.zoomPercent);
    EXPECT_EQ(TextOf(GetDlgItem(window, kPreviewFitId)), zoom);
    EXPECT_EQ(TextOf(GetDlgItem(window, kPreviewFullId)), L"100 %");
    EXPECT_EQ(SendMessageW(GetDlgItem(window, kPreviewFitId), BM_GETCHECK, 0, 0), BST_CHECKED);
    SaveScreenshot(window, "preview-window-shrunk.bmp");

    Click(window, kPreviewFullId);
    r = WindowRect(window);
    EXPECT_EQ(r.right - r.left, FullSizeViewWidth(expected.displayWidth + 86, 2000, sw));
    EXPECT_EQ(r.left, CentredLeft(r.right - r.left, sw));
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE;
    GetScrollInfo(GetDlgItem(window, kPreviewAreaId), SB_HORZ, &si);
    EXPECT_GT(si.nMax - si.nMin + 1, int(si.nPage));  // the full card scrolls
    GetScrollInfo(GetDlgItem(window, kPreviewAreaId), SB_VERT, &si);
    EXPECT_GT(si.nMax - si.nMin + 1, int(si.nPage));

    Click(window, kPreviewFitId);
    r = WindowRect(window);
    EXPECT_EQ(r.right - r.left, expected.displayWidth + 86);
    EXPECT_EQ(GetActiveWindow(), window);  // still open after the view buttons
    Click(window, kPreviewCloseId);
  });
  EXPECT_EQ(answer, IDCANCEL);
}

TEST(TdlgPreview, EmptyPictureAnswersAtOnce) {
  EXPECT_EQ(ShowPreviewAnswer(Bitmap(), true, true), IDCANCEL);
}

}  // namespace
}  // namespace vemra
