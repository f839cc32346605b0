#pragma once
// What the two "Justera" dialogs hold apart from their windows: the five
// value fields and their rules, the slider knobs, the variant grid and the
// colour mode, and what OK hands back to the capture dialog.
#include <array>
#include <optional>
#include <string>

#include "capture/tone/ToneCurve.h"

namespace vemra {

// The value fields MBri, MCon, MBriR, MBriG, MBriB in dialog order.
enum class ToneField { kBrightness, kContrast, kRed, kGreen, kBlue };
inline constexpr int kToneFieldCount = 5;

inline constexpr int kToneLimit = 50;
// A knob's top runs 0 (+50) ... 100 (-50) in its track.
inline constexpr int kKnobTravel = 100;
inline constexpr int kTrackClickStep = 10;
inline constexpr char kNumeralsOnlyMessage[] = "You can only use numerals here";

enum class ColourMode { kNone = 0, kGreyScale = 1, kHistogramContrast = 2 };

// The answer of a dialog's OK: colour mode first, then the tone curve.
struct ToneAdjustment {
  ToneSettings settings;
  ColourMode colourMode = ColourMode::kNone;
};

// Applies an answer once to one of the capture dialog's pictures.
void ApplyToneAdjustment(const ToneAdjustment& adjustment, Bitmap& picture);

// A field's text after a change, by the rules: empty or a lone "-" is left
// alone while typing; anything else that is not an integer is refused
// (message, field emptied); integers are clamped to -50 ... 50.
struct FieldCheck {
  enum Kind { kLeftAlone, kNotNumeral, kValue } kind = kLeftAlone;
  int value = 0;     // kValue: after clamping
  std::string text;  // what the field must now hold
};
FieldCheck CheckFieldText(const std::string& text);

// The value a field counts as: its integer, 0 while empty or "-".
int FieldValue(const std::string& text);

constexpr int KnobTop(int value) { return kToneLimit - value; }
int ValueAtKnobTop(int top);
// +10 for a track click above the knob, -10 below it, 0 on the knob.
int TrackClickStep(int clickY, int knobTop, int knobHeight);

enum class FieldKey { kUp, kDown, kPageUp, kPageDown };
int FieldKeyStep(FieldKey key);

// The 3 x 3 grid, row by row as on screen (Image1 ... Image9, ImOrg in
// the middle).
struct ToneVariant {
  int keypadDigit;
  int contrast;
  int brightness;
  const char* hint;  // contrast sign, then brightness sign
};
inline constexpr std::array<ToneVariant, 9> kToneVariants{{
    {7, 10, 10, "++"}, {8, 10, 0, "+0"}, {9, 10, -10, "+-"},
    {4, 0, 10, "0+"}, {5, 0, 0, "00"}, {6, 0, -10, "0-"},
    {1, -10, 10, "-+"}, {2, -10, 0, "-0"}, {3, -10, -10, "--"},
}};
// The grid index of a numeric-keypad digit, or -1.
int VariantOfKeypadDigit(int digit);

class AdjustModel {
 public:
  AdjustModel() { Reset(); }

  // Each showing starts from neutral fields and no colour mode.
  void Reset();

  const std::string& Text(ToneField field) const { return texts_[Index(field)]; }
  int Value(ToneField field) const { return FieldValue(Text(field)); }
  int KnobTopOf(ToneField field) const { return KnobTop(Value(field)); }

  // The field's text as the user left it; the check says what to show.
  FieldCheck Edit(ToneField field, const std::string& text);
  // Keys and track clicks: the value (0 while empty) plus `delta`, checked.
  FieldCheck Step(ToneField field, int delta);
  // A knob dragged to `top` (clamped to its track).
  FieldCheck DragKnob(ToneField field, int top);

  // Brightness and contrast from the grid, colours back to 0.
  void ChooseVariant(int index);
  // The signs shown in pDef: empty until a variant is chosen.
  const std::string& ContrastSign() const { return contrastSign_; }
  const std::string& BrightnessSign() const { return brightnessSign_; }

  ColourMode Mode() const { return mode_; }
  void SetMode(ColourMode mode) { mode_ = mode; }
  bool OriginalShown() const { return mode_ != ColourMode::kNone; }

  ToneSettings Settings() const;
  ToneAdjustment Answer() const { return {Settings(), mode_}; }

 private:
  static int Index(ToneField field) { return static_cast<int>(field); }
  FieldCheck Store(ToneField field, const FieldCheck& check);

  std::array<std::string, kToneFieldCount> texts_;
  std::string contrastSign_, brightnessSign_;
  ColourMode mode_ = ColourMode::kNone;
};

}  // namespace vemra
