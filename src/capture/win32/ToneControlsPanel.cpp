#include "capture/win32/ToneControlsPanel.h"

#include <commctrl.h>

#include <algorithm>

#include "base/win32/Win32Platform.h"
#include "base/win32/Win32Windows.h"
#include "capture/tone/ToneControls.h"
#include "capture/win32/CaptureDialog.h"
#include "imaging/win32/MessageBoxes.h"

namespace vemra {
namespace {

constexpr int kGap = 3, kRowHeight = 20;
constexpr int kSliderRow = 41, kSimpleRow = 30;  // a slider row with and without its knob
constexpr int kPadColumns = 3, kPadRows = 5, kPadHeight = 18;
constexpr int kGreyIndex = 12, kHistogramIndex = 13;

constexpr const char* kFieldLabels[kToneFieldCount] = {"Ljus", "Kontrast", "R\xc3\xb6" "d",
                                                       "Gr\xc3\xb6n", "Bl\xc3\xa5"};
// Short captions of the classic buttons, minus then plus per row; the
// hint carries the full caption.
constexpr const wchar_t* kClassicCaptions[12] = {L"LK+", L"LK\u2212", L"L+", L"L\u2212", L"K+", L"K\u2212",
                                                 L"R+",  L"R\u2212",  L"G+", L"G\u2212", L"B+", L"B\u2212"};
constexpr const wchar_t* kPadCaptions[kColourPadSteps.size()] = {
    L"K\u2212", L"K+", L"L\u2212", L"L+", L"R", L"G", L"B", L"Y", L"C", L"M", L"0K", L"0L", L"0F", L"0KL"};

std::string Utf8FromWide(const wchar_t* text) {
  char out[64] = "";
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out, sizeof out, nullptr, nullptr);
  return out;
}

ToneField FieldOf(int index) { return ToneField(index); }

void Show(const std::vector<HWND>& controls, bool visible) {
  for (HWND c : controls) ShowWindow(c, visible ? SW_SHOWNA : SW_HIDE);
}

void Place(HWND control, int x, int y, int w, int h) {
  SetWindowPos(control, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Pad buttons report the pointer entering and leaving them.
LRESULT CALLBACK PadButtonProc(HWND button, UINT message, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
  try {
    auto* panel = reinterpret_cast<ToneControlsPanel*>(data);
    if (message == WM_MOUSEMOVE) {
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, button, 0};
      TrackMouseEvent(&track);
      panel->SetHovered(GetDlgCtrlID(button) - kIdColourPad);
    } else if (message == WM_MOUSELEAVE) {
      panel->SetHovered(-1);
    } else if (message == WM_NCDESTROY) {
      RemoveWindowSubclass(button, PadButtonProc, 0);
    }
  } catch (...) {
  }
  return DefSubclassProc(button, message, w, l);
}

}  // namespace

ToneControlsPanel::ToneControlsPanel(CaptureFraming& framing) : framing_(framing) {
  framing_.SetToneApplier([this](const Bitmap& copy, Bitmap& shown) {
    ApplyToneSettings(copy, shown, fields_.Settings());
  });
}

void ToneControlsPanel::Create(HWND dialog, const AddControl& add, std::function<void()> hover) {
  dialog_ = dialog;
  hover_ = std::move(hover);
  classic_.clear(), sliderColumn_.clear(), sliders_.clear(), always_.clear();
  for (int i = 0; i < 12; ++i)
    classic_.push_back(add(L"BUTTON", kClassicCaptions[i], BS_PUSHBUTTON | WS_TABSTOP, kIdToneButton + i,
                           kToneButtons[std::size_t(i)].caption));
  for (int i : {kGreyIndex, kHistogramIndex})
    always_.push_back(add(L"BUTTON", WideFromUtf8(kToneButtons[std::size_t(i)].caption),
                          BS_PUSHBUTTON | WS_TABSTOP, kIdToneButton + i, kToneButtons[std::size_t(i)].caption));
  for (int f = 0; f < kToneFieldCount; ++f) {
    sliderColumn_.push_back(add(L"STATIC", WideFromUtf8(kFieldLabels[f]), SS_LEFT, kIdToneLabel + f, nullptr));
    HWND field = add(L"EDIT", L"", ES_RIGHT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kIdToneField + f,
                     kFieldLabels[f]);
    SendMessageW(field, EM_SETLIMITTEXT, 8, 0);
    sliderColumn_.push_back(field);
    HWND slider = add(TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_NOTICKS | TBS_BOTH | WS_TABSTOP, kIdToneSlider + f,
                      kFieldLabels[f]);
    // Each end by itself: a negative end packed into a pair of words
    // overflows in a 64-bit build.
    SendMessageW(slider, TBM_SETRANGEMIN, FALSE, -kToneLimit);
    SendMessageW(slider, TBM_SETRANGEMAX, FALSE, kToneLimit);
    SendMessageW(slider, TBM_SETPAGESIZE, 0, kTrackClickStep);
    sliders_.push_back(slider);
  }
  for (std::size_t i = 0; i < kColourPadSteps.size(); ++i) {
    HWND pad = add(L"BUTTON", kPadCaptions[i], BS_PUSHBUTTON, kIdColourPad + int(i), kColourPadSteps[i].hint);
    SetWindowSubclass(pad, PadButtonProc, 0, DWORD_PTR(this));
    sliderColumn_.push_back(pad);
  }
  for (const auto* group : {&classic_, &sliderColumn_, &sliders_, &always_}) Show(*group, false);
  ShowFields();
}

void ToneControlsPanel::Destroyed() {
  dialog_ = nullptr;
  classic_.clear(), sliderColumn_.clear(), sliders_.clear(), always_.clear();
  hovered_ = -1;
}

int ToneControlsPanel::MaxHeight() {
  const int pad = kPadRows * (kPadHeight + 2) + kGap;
  const int sliderColumn = kToneFieldCount * kSliderRow + pad;
  const int classic = 6 * (kRowHeight + kGap);
  return std::max(sliderColumn, classic) + 2 * (kRowHeight + kGap) + kGap;
}

int ToneControlsPanel::Layout(int mode, int left, int top, int width) {
  if (!dialog_) return 0;
  const bool classic = mode == kAdjustClassic, knobs = mode == kAdjustStandard;
  Show(classic_, classic);
  Show(sliderColumn_, !classic);
  Show(sliders_, !classic && knobs);
  Show(always_, true);
  int y = top + kGap;
  if (classic) {
    const int half = (width - kGap) / 2;
    for (int row = 0; row < 6; ++row, y += kRowHeight + kGap) {
      Place(classic_[std::size_t(2 * row + 1)], left, y, half, kRowHeight);  // minus at left
      Place(classic_[std::size_t(2 * row)], left + half + kGap, y, half, kRowHeight);
    }
  } else {
    const int rowHeight = knobs ? kSliderRow : kSimpleRow;
    const int fieldWidth = 30;
    for (int f = 0; f < kToneFieldCount; ++f, y += rowHeight) {
      Place(GetDlgItem(dialog_, kIdToneLabel + f), left, y + 2, width - fieldWidth - kGap, 16);
      Place(GetDlgItem(dialog_, kIdToneField + f), left + width - fieldWidth, y, fieldWidth, 18);
      if (knobs) Place(sliders_[std::size_t(f)], left - 2, y + 19, width + 4, 20);
    }
    y += kGap;
    const int padWidth = (width - (kPadColumns - 1) * 2) / kPadColumns;
    for (int i = 0; i < int(kColourPadSteps.size()); ++i)
      Place(GetDlgItem(dialog_, kIdColourPad + i), left + (i % kPadColumns) * (padWidth + 2),
            y + (i / kPadColumns) * (kPadHeight + 2), padWidth, kPadHeight);
    y += kPadRows * (kPadHeight + 2);
  }
  for (HWND b : always_) {
    Place(b, left, y, width, kRowHeight);
    y += kRowHeight + kGap;
  }
  return y - top;
}

void ToneControlsPanel::Enable(bool still) {
  for (const auto* group : {&classic_, &sliderColumn_, &sliders_, &always_})
    for (HWND c : *group) EnableWindow(c, still);
}

void ToneControlsPanel::Hide() {
  for (const auto* group : {&classic_, &sliderColumn_, &sliders_, &always_}) Show(*group, false);
}

void ToneControlsPanel::AppendMenuItems(HMENU menu) const {
  HMENU steps = CreatePopupMenu();
  for (int i = 0; i < 12; ++i)
    AppendMenuW(steps, MF_STRING, kIdToneMenu + i, WideFromUtf8(kToneButtons[std::size_t(i)].caption).c_str());
  const UINT enabled = framing_.HasPicture() ? 0 : MF_GRAYED;
  AppendMenuW(menu, MF_POPUP | enabled, UINT_PTR(steps), L"Justera");
  for (int i : {kGreyIndex, kHistogramIndex})
    AppendMenuW(menu, MF_STRING | enabled, kIdToneMenu + i,
                WideFromUtf8(kToneButtons[std::size_t(i)].caption).c_str());
}

void ToneControlsPanel::ShowField(ToneField field) {
  if (!dialog_) return;
  const int f = int(field);
  syncing_ = true;
  struct Done {
    bool& flag;
    ~Done() { flag = false; }
  } done{syncing_};
  HWND edit = GetDlgItem(dialog_, kIdToneField + f);
  const std::wstring text = WideFromUtf8(fields_.Text(field));
  wchar_t now[16] = L"";
  GetWindowTextW(edit, now, 16);
  if (text != now) SetWindowTextW(edit, text.c_str());
  SendMessageW(GetDlgItem(dialog_, kIdToneSlider + f), TBM_SETPOS, TRUE, fields_.Value(field));
}

void ToneControlsPanel::ShowFields() {
  for (int f = 0; f < kToneFieldCount; ++f) ShowField(FieldOf(f));
}

ToneControlsPanel::Outcome ToneControlsPanel::Command(int id, int code) {
  if (id >= kIdToneButton && id < kIdToneButton + int(kToneButtons.size())) {
    const ToneButton& button = kToneButtons[std::size_t(id - kIdToneButton)];
    framing_.BakeTone([&](Bitmap& picture) { ApplyToneButton(button, picture); });
    return Outcome::kPictureChanged;
  }
  if (id >= kIdToneMenu && id < kIdToneMenu + int(kToneButtons.size()))
    return Command(kIdToneButton + id - kIdToneMenu, code);
  if (id >= kIdToneField && id < kIdToneField + kToneFieldCount) {
    if (code != EN_CHANGE || syncing_ || !dialog_) return Outcome::kHandled;
    const ToneField field = FieldOf(id - kIdToneField);
    wchar_t text[16] = L"";
    GetDlgItemTextW(dialog_, id, text, 16);
    const ToneSettings before = fields_.Settings();
    const FieldCheck check = fields_.Edit(field, Utf8FromWide(text));
    ShowField(field);
    if (check.kind == FieldCheck::kNotNumeral)
      ShowMessageBox(kNumeralsOnlyMessage, "", MB_ICONINFORMATION, MB_OK);
    if (fields_.Settings() == before) return Outcome::kHandled;
    framing_.ReapplyTone();
    return Outcome::kPictureChanged;
  }
  if (id >= kIdColourPad && id < kIdColourPad + int(kColourPadSteps.size())) {
    const ToneSettings next = StepColourPad(fields_.Settings(), kColourPadSteps[std::size_t(id - kIdColourPad)]);
    const int values[kToneFieldCount] = {next.brightness, next.contrast, next.red, next.green, next.blue};
    for (int f = 0; f < kToneFieldCount; ++f)
      if (values[f] != fields_.Value(FieldOf(f))) fields_.Edit(FieldOf(f), std::to_string(values[f]));
    ShowFields();
    framing_.ReapplyTone();
    return Outcome::kPictureChanged;
  }
  return Outcome::kNotOurs;
}

ToneControlsPanel::Outcome ToneControlsPanel::Scroll(HWND slider) {
  const auto at = std::find(sliders_.begin(), sliders_.end(), slider);
  if (at == sliders_.end()) return Outcome::kNotOurs;
  const ToneField field = FieldOf(int(at - sliders_.begin()));
  const int value = int(SendMessageW(slider, TBM_GETPOS, 0, 0));
  if (value == fields_.Value(field)) return Outcome::kHandled;
  fields_.Edit(field, std::to_string(value));
  ShowField(field);
  framing_.ReapplyTone();
  return Outcome::kPictureChanged;
}

std::optional<ToneSettings> ToneControlsPanel::HoverPreview() const {
  if (hovered_ < 0 || hovered_ >= int(kColourPadSteps.size())) return std::nullopt;
  return StepColourPad(fields_.Settings(), kColourPadSteps[std::size_t(hovered_)]);
}

void ToneControlsPanel::SetHovered(int padIndex) {
  if (padIndex == hovered_) return;
  hovered_ = padIndex;
  if (hover_) hover_();
}

}  // namespace vemra
