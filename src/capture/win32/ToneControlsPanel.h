#pragma once
// The capture dialog's own tone controls, below its tool column: the
// classic panel of +/- buttons that bake a change into the pictures, and
// the slider column (value fields, sliders, colour pad) whose values only
// recompute the shown picture from the working copy. Which of them shows
// depends on the adjustment-control mode; the grey-scale and histogram
// buttons show in every mode.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "capture/framing/CaptureFraming.h"
#include "capture/tone/AdjustModel.h"

namespace vemra {

// Adjustment-control modes of the settings menu.
enum AdjustMode { kAdjustStandard = 0, kAdjustSimple = 1, kAdjustClassic = 2 };

class ToneControlsPanel {
 public:
  using AddControl =
      std::function<HWND(const wchar_t* cls, const std::wstring& text, DWORD style, int id, const char* hint)>;
  enum class Outcome { kNotOurs, kHandled, kPictureChanged };

  // Installs the value fields as the framing's tone applier: they live as
  // long as the dialog object, so the signature run starts where the
  // photo run left them.
  explicit ToneControlsPanel(CaptureFraming& framing);

  // The children, made hidden; Layout shows those of the mode. `hover` is
  // called when the pointer enters or leaves a colour-pad button.
  void Create(HWND dialog, const AddControl& add, std::function<void()> hover);
  void Destroyed();

  // Places the controls of `mode` from `top` in a column `width` wide at
  // `left`; the height they take.
  int Layout(int mode, int left, int top, int width);
  // The tallest any mode needs, for the dialog's minimum height.
  static int MaxHeight();

  // Panel buttons, value fields and the tone menu items.
  Outcome Command(int id, int code);
  // WM_HSCROLL from a slider.
  Outcome Scroll(HWND slider);
  // The "Gråskala", "Histokontrast" and +/- menu items.
  void AppendMenuItems(HMENU menu) const;
  // Enabled only while there is a still picture to change.
  void Enable(bool still);
  // Live video: no picture to adjust; Layout shows them again.
  void Hide();

  ToneSettings Fields() const { return fields_.Settings(); }
  // While the pointer is over a colour-pad button: the fields its click
  // would give, previewed on the lens only.
  std::optional<ToneSettings> HoverPreview() const;
  void SetHovered(int padIndex);  // -1: none

 private:
  void ShowField(ToneField field);
  void ShowFields();

  CaptureFraming& framing_;
  AdjustModel fields_;
  HWND dialog_ = nullptr;
  std::vector<HWND> classic_, sliderColumn_, sliders_, always_;
  std::function<void()> hover_;
  int hovered_ = -1;
  bool syncing_ = false;
};

}  // namespace vemra
