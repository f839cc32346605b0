#pragma once
// The two "Justera" dialogs: TdlgAdjust (variant grid, sliders, colour
// count) for photos and TdlgSmallAdjust (sliders only) for signatures.
// The capture dialog hands over the visible region of its picture and, on
// OK, applies the answer once to its full pictures with
// ApplyToneAdjustment.
#include <optional>

#include "capture/tone/AdjustModel.h"
#include "imaging/Bitmap.h"

namespace vemra {

// The chosen colour mode and settings, or nothing when cancelled (or when
// the region is empty or the window cannot be made).
std::optional<ToneAdjustment> ShowAdjust(const Bitmap& region);
std::optional<ToneAdjustment> ShowSmallAdjust(const Bitmap& region);

// Window classes and control ids, for tests that drive the dialogs.
inline constexpr wchar_t kAdjustClassName[] = L"TdlgAdjust";
inline constexpr wchar_t kSmallAdjustClassName[] = L"TdlgSmallAdjust";
inline constexpr int kAdjustOkId = 1;       // IDOK: btOK / BitBtn1
inline constexpr int kAdjustCancelId = 2;   // IDCANCEL: btCancel / BitBtn2
inline constexpr int kAdjustFieldId = 201;  // + ToneField: MBri, MCon, MBriR, MBriG, MBriB
inline constexpr int kAdjustSliderId = 211;   // + ToneField: the tracks with their knobs
inline constexpr int kAdjustVariantId = 221;  // + grid index: Image1 ... Image9
inline constexpr int kAdjustGreyId = 231;         // "Gråskala"
inline constexpr int kAdjustHistogramId = 232;    // "Histokontrast"
inline constexpr int kAdjustOriginalId = 233;     // "Original" / "Orginal"
inline constexpr int kAdjustColourCountId = 234;  // lColCount
inline constexpr int kAdjustContrastSignId = 235; // lContDef
inline constexpr int kAdjustBrightnessSignId = 236;  // lBriDef
inline constexpr int kAdjustPreviewId = 240;
// Slider geometry: the knob's top runs 0 ... 100 in the track's client area.
inline constexpr int kAdjustKnobHeight = 10;

}  // namespace vemra
