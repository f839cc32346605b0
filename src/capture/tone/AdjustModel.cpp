#include "capture/tone/AdjustModel.h"

#include <algorithm>

namespace vemra {
namespace {

// Optional sign and digits only; any length (saturated, then clamped).
std::optional<long long> ParseInteger(const std::string& text) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
  if (i == text.size()) return std::nullopt;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = std::min(value * 10 + (text[i] - '0'), 1000000LL);
  }
  return negative ? -value : value;
}

}  // namespace

void ApplyToneAdjustment(const ToneAdjustment& adjustment, Bitmap& picture) {
  const ToneSettings& s = adjustment.settings;
  ApplyToneSettingsInPlace(s.brightness, s.contrast, s.red, s.green, s.blue,
                           adjustment.colourMode == ColourMode::kHistogramContrast,
                           adjustment.colourMode == ColourMode::kGreyScale, picture);
}

FieldCheck CheckFieldText(const std::string& text) {
  if (text.empty() || text == "-") return {FieldCheck::kLeftAlone, 0, text};
  const auto parsed = ParseInteger(text);
  if (!parsed) return {FieldCheck::kNotNumeral, 0, ""};
  const int value = int(std::clamp<long long>(*parsed, -kToneLimit, kToneLimit));
  return {FieldCheck::kValue, value, value == *parsed ? text : std::to_string(value)};
}

int FieldValue(const std::string& text) {
  const FieldCheck check = CheckFieldText(text);
  return check.kind == FieldCheck::kValue ? check.value : 0;
}

int ValueAtKnobTop(int top) { return kToneLimit - std::clamp(top, 0, kKnobTravel); }

int TrackClickStep(int clickY, int knobTop, int knobHeight) {
  if (clickY < knobTop) return kTrackClickStep;
  if (clickY >= knobTop + knobHeight) return -kTrackClickStep;
  return 0;
}

int FieldKeyStep(FieldKey key) {
  switch (key) {
    case FieldKey::kUp: return 1;
    case FieldKey::kDown: return -1;
    case FieldKey::kPageUp: return kTrackClickStep;
    case FieldKey::kPageDown: return -kTrackClickStep;
  }
  return 0;
}

int VariantOfKeypadDigit(int digit) {
  for (std::size_t i = 0; i < kToneVariants.size(); ++i)
    if (kToneVariants[i].keypadDigit == digit) return int(i);
  return -1;
}

void AdjustModel::Reset() {
  texts_.fill("0");
  contrastSign_.clear();
  brightnessSign_.clear();
  mode_ = ColourMode::kNone;
}

FieldCheck AdjustModel::Store(ToneField field, const FieldCheck& check) {
  texts_[Index(field)] = check.text;
  return check;
}

FieldCheck AdjustModel::Edit(ToneField field, const std::string& text) {
  return Store(field, CheckFieldText(text));
}

FieldCheck AdjustModel::Step(ToneField field, int delta) {
  return Store(field, CheckFieldText(std::to_string(Value(field) + delta)));
}

FieldCheck AdjustModel::DragKnob(ToneField field, int top) {
  return Store(field, CheckFieldText(std::to_string(ValueAtKnobTop(top))));
}

void AdjustModel::ChooseVariant(int index) {
  if (index < 0 || index >= int(kToneVariants.size())) return;
  const ToneVariant& v = kToneVariants[std::size_t(index)];
  texts_[Index(ToneField::kContrast)] = std::to_string(v.contrast);
  texts_[Index(ToneField::kBrightness)] = std::to_string(v.brightness);
  for (ToneField f : {ToneField::kRed, ToneField::kGreen, ToneField::kBlue}) texts_[Index(f)].assign(1, '0');
  contrastSign_ = std::string(1, v.hint[0]);
  brightnessSign_ = std::string(1, v.hint[1]);
}

ToneSettings AdjustModel::Settings() const {
  return {Value(ToneField::kBrightness), Value(ToneField::kContrast), Value(ToneField::kRed),
          Value(ToneField::kGreen), Value(ToneField::kBlue)};
}

}  // namespace vemra
