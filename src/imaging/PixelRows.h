#pragma once
// Row-level conversions between pixel formats, shared by the bitmap class
// and the codecs. Every format goes through blue-green-red bytes.
#include <cstdint>
#include <vector>

#include "imaging/Bitmap.h"

namespace vemra {

// The palette a fresh indexed bitmap starts with: black and white for 1 bit,
// the sixteen standard colours for 4 bits, a grey ramp for 8 bits.
std::vector<ColourValue> DefaultPalette(PixelFormat format);

// The palette `source` gets when converted to `target`: 8 bits use the
// octree quantiser over the source's colours; 1 and 4 bits the defaults.
std::vector<ColourValue> PaletteFor(const Bitmap& source, PixelFormat target);

// Row y as width x 3 bytes blue, green, red.
void ReadRowBgr(const Bitmap& bitmap, int y, std::uint8_t* bgr);

// Copies every row of `from` into the same-sized `to`, mapping colours to
// the nearest entry of `to`'s palette when `to` is indexed.
void ConvertRows(const Bitmap& from, Bitmap& to);

// A 24-bit copy (or the same pixels when already 24 bits).
Bitmap As24Bit(const Bitmap& bitmap);

}  // namespace vemra
