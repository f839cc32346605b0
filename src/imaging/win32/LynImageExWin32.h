#pragma once
// The parts of the picture module that need the platform: metafiles kept
// as vectors, screen colours and palettes, stretching through GDI.
#include <string>

#include "imaging/Picture.h"
#include "imaging/PictureCodecs.h"

namespace vemra {

// Metafiles (".wmf", ".emf") stay vectors; other files load as bitmaps.
// A damaged metafile returns false, or throws std::runtime_error when the
// second reading fails too.
bool LoadPictureKeepVector(Picture& holder, const std::string& path, const DrawSize& box = {});

// Converts the picture to a 24-bit bitmap (metafiles drawn at their own
// size), then rotates it clockwise by 90, 180 or 270 degrees.
void RotateImageQuarter(int angle, Picture& holder);

// Replaces the picture by a 24-bit bitmap of width x height (0 means the
// control's own size) with its bottom-left colour transparent.
void StretchPictureToSize(int width, int height, Picture& holder, int controlWidth,
                          int controlHeight);

// 2 to the power (planes x bits per pixel) of the screen, exponent mod 32.
int DisplayColourCount();

// Gives the picture a display palette fitted to it around the system's
// static colours.
void OptimisePalette(Picture& holder);

}  // namespace vemra
