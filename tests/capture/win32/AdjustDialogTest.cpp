#include "capture/win32/adjust/AdjustDialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "imaging/LynImageEx.h"
#include "WindowPicture.h"
#include "imaging/win32/MessageBoxes.h"

namespace vemra {
namespace {

std::wstring TextOf(HWND window) {
  wchar_t buffer[256] = {};
  GetWindowTextW(window, buffer, 256);
  return buffer;
}

std::wstring Field(HWND dialog, ToneField field) {
  return TextOf(GetDlgItem(dialog, kAdjustFieldId + static_cast<int>(field)));
}

void SetField(HWND dialog, ToneField field, const wchar_t* text) {
  SetDlgItemTextW(dialog, kAdjustFieldId + static_cast<int>(field), text);
}

void Press(HWND dialog, int id) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }



// Runs the steps on the dialog from a thread timer inside its own message
// loop, one step per tick. A message box that a step opens is answered
// (and its text kept) by the ticks that its own loop runs. The dialog is
// cancelled after about 10 s so that a broken one fails instead of hanging.
struct Driver {
  using Step = std::function<void(HWND)>;
  static inline const wchar_t* className = nullptr;
  static inline std::vector<Step> steps;
  static inline std::size_t next = 0;
  static inline bool busy = false;
  static inline int ticks = 0;
  static inline std::vector<std::wstring> messages;

  static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindWindowW(className, L"Justera");
    if (++ticks > 500) {
      KillTimer(nullptr, id);
      if (dialog) Press(dialog, kAdjustCancelId);
      return;
    }
    if (HWND box = FindWindowW(L"#32770", WideFromTitle().c_str())) {
      wchar_t text[256] = {};
      GetDlgItemTextW(box, 0xFFFF, text, 256);
      messages.push_back(text);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
      return;
    }
    if (busy || !dialog || !IsWindowVisible(dialog) || next >= steps.size()) return;
    busy = true;
    steps[next++](dialog);
    busy = false;
  }
  static std::wstring WideFromTitle() {
    const std::string title = kApplicationTitle;
    return std::wstring(title.begin(), title.end());
  }
  static std::optional<ToneAdjustment> Run(bool full, const Bitmap& region, std::vector<Step> script) {
    className = full ? kAdjustClassName : kSmallAdjustClassName;
    steps = std::move(script);
    next = 0;
    ticks = 0;
    busy = false;
    messages.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, Tick);
    auto answer = full ? ShowAdjust(region) : ShowSmallAdjust(region);
    KillTimer(nullptr, timer);
    EXPECT_EQ(next, steps.size()) << "steps run";
    EXPECT_EQ(FindWindowW(className, nullptr), nullptr);  // destroyed
    return answer;
  }
};

// 64 x 64 pixels, each its own colour.
Bitmap DistinctColours() {
  Bitmap b(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      std::uint8_t* p = b.Row(y) + 3 * x;
      p[0] = std::uint8_t(x * 4), p[1] = std::uint8_t(y * 4), p[2] = std::uint8_t(255 - (x + y) * 2);
    }
  return b;
}

Bitmap Sample(const char* name) {
  Bitmap b;
  LoadPictureToBitmap("Z:" + std::string(VEMRA_SAMPLES) + "/" + name, b);
  return b;
}

TEST(TdlgAdjust, OpensCountsColoursAndKeypadSevenGivesTenAndTen) {
  const auto answer = Driver::Run(true, DistinctColours(), {
      [](HWND d) {
        EXPECT_EQ(TextOf(GetDlgItem(d, kAdjustColourCountId)), L"4096");
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, kAdjustOriginalId)));
        HWND ok = GetDlgItem(d, kAdjustOkId);
        SetFocus(ok);
        PostMessageW(ok, WM_KEYDOWN, VK_NUMPAD7, 0);
      },
      [](HWND d) {
        EXPECT_EQ(Field(d, ToneField::kBrightness), L"10");
        EXPECT_EQ(Field(d, ToneField::kContrast), L"10");
        EXPECT_EQ(Field(d, ToneField::kRed), L"0");
        EXPECT_EQ(TextOf(GetDlgItem(d, kAdjustContrastSignId)), L"+");
        EXPECT_EQ(TextOf(GetDlgItem(d, kAdjustBrightnessSignId)), L"+");
        Press(d, kAdjustOkId);
      },
  });
  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(answer->settings, (ToneSettings{10, 10, 0, 0, 0}));
  EXPECT_EQ(answer->colourMode, ColourMode::kNone);
}

TEST(TdlgAdjust, FieldsRefuseLettersClampAndStep) {
  const auto answer = Driver::Run(true, Sample("portrait.jpg"), {
      [](HWND d) {
        SetField(d, ToneField::kRed, L"abc");  // the message box is answered meanwhile
        EXPECT_EQ(Field(d, ToneField::kRed), L"");
        SetField(d, ToneField::kGreen, L"-");
        EXPECT_EQ(Field(d, ToneField::kGreen), L"-");
        SetField(d, ToneField::kContrast, L"75");
        EXPECT_EQ(Field(d, ToneField::kContrast), L"50");
        // A click on the track below the knob at -45 asks for -55.
        SetField(d, ToneField::kBlue, L"-45");
        HWND slider = GetDlgItem(d, kAdjustSliderId + static_cast<int>(ToneField::kBlue));
        SendMessageW(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, KnobTop(-45) + kAdjustKnobHeight + 2));
        SendMessageW(slider, WM_LBUTTONUP, 0, MAKELPARAM(12, KnobTop(-45) + kAdjustKnobHeight + 2));
        EXPECT_EQ(Field(d, ToneField::kBlue), L"-50");
        HWND brightness = GetDlgItem(d, kAdjustFieldId);
        SendMessageW(brightness, WM_KEYDOWN, VK_PRIOR, 0);
        SendMessageW(brightness, WM_KEYDOWN, VK_UP, 0);
        EXPECT_EQ(Field(d, ToneField::kBrightness), L"11");
      },
      [](HWND d) {
        SetFocus(GetDlgItem(d, kAdjustOkId));  // the dotted frame round the grid
        SaveScreenshot(d, "adjust-dialog.bmp");
        Press(d, kAdjustOkId);
      },
  });
  ASSERT_EQ(Driver::messages.size(), 1u);
  EXPECT_EQ(Driver::messages[0], L"You can only use numerals here");
  ASSERT_TRUE(answer.has_value());
  // The emptied red field and the lone "-" count as 0.
  EXPECT_EQ(answer->settings, (ToneSettings{11, 50, 0, 0, -50}));
}

TEST(TdlgSmallAdjust, GreyScaleShowsOrginalAndIsReturned) {
  const Bitmap signature = Sample("signature.jpg");
  ASSERT_FALSE(signature.Empty());
  const auto answer = Driver::Run(false, signature, {
      [](HWND d) {
        EXPECT_EQ(GetDlgItem(d, kAdjustVariantId), nullptr);  // no grid, no colour count
        EXPECT_EQ(GetDlgItem(d, kAdjustColourCountId), nullptr);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, kAdjustOriginalId)));
        SetField(d, ToneField::kContrast, L"20");
        // The brightness knob dragged from top 50 to top 30.
        HWND slider = GetDlgItem(d, kAdjustSliderId);
        SendMessageW(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(12, 55));
        SendMessageW(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(12, 35));
        EXPECT_EQ(Field(d, ToneField::kBrightness), L"20");
        SendMessageW(slider, WM_LBUTTONUP, 0, MAKELPARAM(12, 35));
        SetFocus(GetDlgItem(d, kAdjustFieldId + 1));  // the frame round its slider
        Press(d, kAdjustGreyId);
      },
      [](HWND d) {
        HWND original = GetDlgItem(d, kAdjustOriginalId);
        EXPECT_TRUE(IsWindowVisible(original));
        EXPECT_EQ(TextOf(original), L"Orginal");
        SaveScreenshot(d, "small-adjust-dialog.bmp");
        Press(d, kAdjustOkId);
      },
  });
  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(answer->colourMode, ColourMode::kGreyScale);
  EXPECT_EQ(answer->settings, (ToneSettings{20, 20, 0, 0, 0}));
}

TEST(TdlgAdjust, OriginalUndoesTheColourModeAndAvbrytAnswersNothing) {
  const auto answer = Driver::Run(true, Sample("portrait.jpg"), {
      [](HWND d) { Press(d, kAdjustHistogramId); },
      [](HWND d) {
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(d, kAdjustOriginalId)));
        const int count = std::stoi(TextOf(GetDlgItem(d, kAdjustColourCountId)));  // grey levels only
        EXPECT_GT(count, 1);
        EXPECT_LE(count, 256);
        Press(d, kAdjustOriginalId);
      },
      [](HWND d) {
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(d, kAdjustOriginalId)));
        Press(d, kAdjustCancelId);
      },
  });
  EXPECT_FALSE(answer.has_value());
  EXPECT_FALSE(ShowAdjust(Bitmap()).has_value());  // nothing to adjust: no window
}

}  // namespace
}  // namespace vemra
