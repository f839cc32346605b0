#pragma once
// The two ways a picture reaches a card: stretched into its box, or sent
// to a raster printer as device-independent bits.
#include <string_view>

#include "imaging/Picture.h"
#include "layout/render/Canvas.h"

namespace vemra {

// The part of `box` a picture of pictureWidth x pictureHeight fills with
// its aspect kept: shortened along one side and moved by `position`
// ("LowerLeft", "LowerRight", "UpperRight", "Center", any case; anything
// else stays at the upper left).
PixelRect FitPicture(int pictureWidth, int pictureHeight, const PixelRect& box,
                     std::string_view position);

// Stretches the picture into the box (fitted when keeping aspect). An
// empty picture or a failing canvas draws nothing.
void StretchPictureInto(const PixelRect& box, bool keepAspect, std::string_view position,
                        Canvas& canvas, const Picture& picture);

// As StretchPictureInto for a bitmap, through the device's bit transfer,
// combined by AND when the bitmap is transparent. False when nothing was
// drawn.
bool TransferPictureBits(Canvas& device, const PixelRect& box, bool keepAspect,
                         std::string_view position, const Picture& picture);

// A copy that owns its graphic: the renderer changes pictures in place and
// must not touch the holder's photo or signature.
Picture ClonePicture(const Picture& picture);

}  // namespace vemra
