#include "capture/tone/ToneControls.h"

#include <algorithm>

namespace vemra {
namespace {

int Add(int value, int delta) { return std::clamp(value + delta, -50, 50); }

}  // namespace

void ApplyToneButton(const ToneButton& button, Bitmap& picture) {
  const ToneSettings& s = button.settings;
  ApplyToneSettingsInPlace(s.brightness, s.contrast, s.red, s.green, s.blue, button.histogram, button.grey,
                           picture);
}

ToneSettings StepColourPad(const ToneSettings& fields, const ColourPadStep& step) {
  ToneSettings r = fields;
  switch (step.reset) {
    case ColourPadStep::kResetContrast: r.contrast = 0; return r;
    case ColourPadStep::kResetBrightness: r.brightness = 0; return r;
    case ColourPadStep::kResetColours: r.red = r.green = r.blue = 0; return r;
    case ColourPadStep::kResetContrastAndBrightness: r.contrast = r.brightness = 0; return r;
    case ColourPadStep::kNoReset: break;
  }
  const ToneSettings& d = step.delta;
  return {Add(r.brightness, d.brightness), Add(r.contrast, d.contrast), Add(r.red, d.red), Add(r.green, d.green),
          Add(r.blue, d.blue)};
}

}  // namespace vemra
