#pragma once
// Picture effects a layout's picture object asks for in its record:
// transparency, grey scale, line screen and partial opacity.
#include <functional>
#include <string>
#include <string_view>

#include "imaging/Bitmap.h"
#include "imaging/Picture.h"
#include "layout/render/Canvas.h"
#include "layout/render/PartialOpacity.h"

namespace vemra {

// The record's value for `key`, matched without regard to case. Items
// without "=" read as their first three characters and the rest ("trp5"
// is trp = 5); others as name "=" value ("ImFx=Line"). Empty when absent.
std::string EffectValue(std::string_view key, std::string_view record);

// "RRGGBB" with an optional "$" as a colour value, or -1.
long long ParseEffectColour(std::string_view text);

bool NeedsImageEffects(std::string_view record);

// Replaces the picture by the processed one, `box` in device pixels;
// `background` holds what is already drawn under the object, and
// `stretchToBitmap` makes a 24-bit w x h bitmap of any picture.
void ApplyImageEffects(const PixelRect& box, Canvas& background, Picture& image,
                       std::string_view record, LynAlpha& alpha,
                       const std::function<Bitmap(const Picture&, int w, int h)>& stretchToBitmap);

// `picture` stretched over `target` (nearest pixel), its key colour left out
// when it is transparent.
void DrawOver(Bitmap& target, const Bitmap& picture);

}  // namespace vemra
