#pragma once
// Picture files and the small pixel operations the layout engine and the
// capture dialog apply to pictures. Paths are Windows paths in the ANSI
// code page. Loading never throws; saving does.
#include <string>

#include "imaging/Bitmap.h"
#include "imaging/Picture.h"
#include "imaging/PictureCodecs.h"

namespace vemra {

// black, maroon, green, olive, navy, purple, teal, grey, silver, red, lime,
// yellow, blue, fuchsia, aqua, white
inline constexpr ColourValue kStandardColours[16] = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

// "bmp", "jpg", "pdf", "tif" from the first bytes, or "" when unknown or
// unreadable.
std::string DetectPictureFormat(const std::string& path);

// Loads by extension, then by content when the content names another
// format. A bitmap file keeps its depth; JPEG gives 24 bits; a metafile is
// drawn into 24 bits where the platform can draw it. A JPEG comes at the
// smallest scale that covers `box`. A picture the budget cannot hold is
// refused (and reported with the path). On failure `why`, when given, says
// in Swedish (Windows-1252) what went wrong, for the log.
bool LoadPictureToBitmap(const std::string& path, Bitmap& target, const DrawSize& box = {},
                         std::string* why = nullptr);
// The holder gets the picture as a bitmap; untouched on failure.
bool LoadPictureToImage(Picture& holder, const std::string& path, const DrawSize& box = {},
                        std::string* why = nullptr);

// Packed pixel with red in bits 16-23, green 8-15, blue 0-7.
int ColourLuminance(std::uint32_t packed);
bool IsGreyColour(ColourValue colour);
ColourValue GreyOfColour(ColourValue colour);
int StandardColourIndex(ColourValue colour);

void ConvertToGreyScale(Bitmap& bitmap);
// Horizontal lines every `spacing` rows, thick where the picture is dark;
// everything else becomes transparent white.
void DrawLineScreen(Bitmap& bitmap, int threshold, int spacing, ColourValue lineColour);
// Pixels within `tolerance` of the key (all of them, or the region grown
// from the seed when seedColumn >= 0, widened by `spread`) take the key
// colour, which becomes the transparent colour.
bool MakeColourTransparent(Bitmap& bitmap, ColourValue key, int tolerance, int spread,
                           int seedRow, int seedColumn);

// Gives a 24-bit picture a 256-entry display palette: entries 0-9 and
// 246-255 from `systemPalette` (256 entries), 10-245 from the octree
// quantiser (236 colours, 6 bits per channel).
void OptimiseBitmapPalette(Bitmap& bitmap, const std::vector<ColourValue>& systemPalette);

// Writes JPEG (".jpg", ".jpeg", at `quality` 1-100) or else BMP, creating
// missing folders. Throws std::runtime_error; the target is replaced only
// by a complete file.
void SavePictureFile(const Bitmap& bitmap, const std::string& path, int quality);

}  // namespace vemra
