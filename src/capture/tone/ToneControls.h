#pragma once
// What the capture dialog's own tone controls do: its tool buttons and
// menu items change the shown picture and its working copy in place; its
// colour pad steps its value fields, from which its sliders recompute the
// shown picture (ApplyToneSettings from the working copy).
#include <array>

#include "capture/tone/ToneCurve.h"

namespace vemra {

// A tool button or menu item: ApplyToneSettingsInPlace with these values
// on the shown picture and on its working copy.
struct ToneButton {
  const char* caption;  // caption or hint
  ToneSettings settings;
  bool grey = false;
  bool histogram = false;
};
inline constexpr std::array<ToneButton, 14> kToneButtons{{
    {"Ljus +, Kontrast +", {10, 10, 0, 0, 0}},
    {"Ljus -, Kontrast -", {-10, -10, 0, 0, 0}},
    {"Ljus +", {10, 0, 0, 0, 0}},
    {"Ljus -", {-10, 0, 0, 0, 0}},
    {"Kontrast +", {0, 10, 0, 0, 0}},
    {"Kontrast -", {0, -10, 0, 0, 0}},
    {"R\xc3\xb6" "d +", {0, 0, 10, 0, 0}},
    {"R\xc3\xb6" "d -", {0, 0, -10, 0, 0}},
    {"Gr\xc3\xb6n +", {0, 0, 0, 10, 0}},
    {"Gr\xc3\xb6n -", {0, 0, 0, -10, 0}},
    {"Bl\xc3\xa5 +", {0, 0, 0, 0, 10}},
    {"Bl\xc3\xa5 -", {0, 0, 0, 0, -10}},
    {"Gr\xc3\xa5skala", {}, true, false},
    {"Histokontrast", {}, false, true},
}};
void ApplyToneButton(const ToneButton& button, Bitmap& picture);

// One click of the colour pad: deltas added to the value fields (each kept
// within -50 ... 50), or fields set back to 0.
struct ColourPadStep {
  enum Reset { kNoReset, kResetContrast, kResetBrightness, kResetColours, kResetContrastAndBrightness };
  const char* hint;
  ToneSettings delta;  // brightness, contrast, red, green, blue
  Reset reset = kNoReset;
};
inline constexpr std::array<ColourPadStep, 14> kColourPadSteps{{
    {"Mindre kontrast", {0, -3, 0, 0, 0}},
    {"Mer kontrast", {0, 3, 0, 0, 0}},
    {"Mindre ljus", {-6, 0, 0, 0, 0}},
    {"Mer ljus", {6, 0, 0, 0, 0}},
    {"Mer r\xc3\xb6tt", {0, 0, 6, -3, -3}},
    {"Mer gr\xc3\xb6nt", {0, 0, -3, 6, -3}},
    {"Mer bl\xc3\xa5tt", {0, 0, -3, -3, 6}},
    {"Mer gult", {0, 0, 3, 3, -6}},
    {"Mer cyan", {0, 0, -6, 3, 3}},
    {"Mer magenta", {0, 0, 3, -6, 3}},
    {"Nollst\xc3\xa4ll kontrast", {}, ColourPadStep::kResetContrast},
    {"Nollst\xc3\xa4ll ljus", {}, ColourPadStep::kResetBrightness},
    {"Nollst\xc3\xa4ll f\xc3\xa4rg", {}, ColourPadStep::kResetColours},
    {"\xc3\x85terst\xc3\xa4ll kontrast och ljus", {}, ColourPadStep::kResetContrastAndBrightness},
}};
// The fields after a click (the hover preview of the detail lens uses the
// same result and takes it back on leaving).
ToneSettings StepColourPad(const ToneSettings& fields, const ColourPadStep& step);

}  // namespace vemra
