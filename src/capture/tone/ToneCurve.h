#pragma once
// Brightness, contrast and colour balance of captured pictures, grey scale
// and histogram contrast. Every operation reads its picture as 24 bits and
// leaves it 24-bit.
#include <cstddef>
#include <cstdint>

#include "imaging/Bitmap.h"

namespace vemra {

// Each -50 ... 50; 0 changes nothing.
struct ToneSettings {
  int brightness = 0;
  int contrast = 0;
  int red = 0;
  int green = 0;
  int blue = 0;
  bool operator==(const ToneSettings&) const = default;
  bool Neutral() const { return *this == ToneSettings{}; }
};

// Contrast strength S = contrast x 2.54, its halves (+-25) rounded toward
// zero, so +-25 gives +-63.
int ContrastStrength(int contrast);
// Brightness or channel offset: value x 1.28, rounded.
int ToneOffset(int value);

// One channel value through the curve of strength S and offset O (the
// brightness offset plus the channel's own).
int ToneValue(int value, int strength, int offset);

// The curve of each channel as a lookup table, in pixel byte order, and
// the parameters it was made of.
struct ToneTables {
  std::uint8_t blue[256];
  std::uint8_t green[256];
  std::uint8_t red[256];
  int strength = 0;
  int offsets[3] = {};  // blue, green, red: brightness plus the channel's
};
ToneTables MakeToneTables(const ToneSettings& settings);

// Two ways to run the curve with the same results: table lookups
// everywhere, and AVX2 arithmetic (16 pixels a step) on processors that
// have it, which keeps pace with copying memory. kAuto picks the
// faster one present.
enum class ToneKernel { kAuto, kTables, kVector };
bool ToneKernelAvailable(ToneKernel kernel);

// Maps `width` x `height` pixels of 3 bytes through the curve. Strides
// may be negative (bottom-up rows); source and destination may be the same
// rows, not overlapping other rows.
void ApplyToneTables(const ToneTables& tables, const std::uint8_t* source, std::ptrdiff_t sourceStride,
                     std::uint8_t* destination, std::ptrdiff_t destinationStride, int width, int height,
                     ToneKernel kernel = ToneKernel::kAuto);

// destination := the tone curve of source, at the source's size. They may
// be the same bitmap.
void ApplyToneSettings(const Bitmap& source, Bitmap& destination, const ToneSettings& settings);

// Optional grey, then optional histogram contrast, then the tone curve.
void ApplyToneSettingsInPlace(int brightness, int contrast, int red, int green, int blue, bool histogram,
                              bool grey, Bitmap& picture);

// Every pixel whose channels differ becomes its luminance; grey pixels
// stay.
void GreyScalePicture(Bitmap& picture);

// Grey, then the grey levels stretched to span 0 ... 255. A picture of a
// single grey level has no range to stretch and keeps that level.
void HistogramContrast(Bitmap& picture);

}  // namespace vemra
