#pragma once
// The proof picture: the card's front, back side and sheet drawn one under
// the other at the printer's resolution through GDI, as a print job draws
// them, each problem's box outlined in red and numbered as in the report.
#include "LayoutCheck.h"
#include "imaging/Bitmap.h"

namespace vemra {

// Red of the outlines and numbers (a colour value, red in the low byte).
constexpr ColourValue kProofRed = 0x0000FF;

// `bindPictureHooks` as for the checks. Throws std::runtime_error when GDI
// cannot make the pictures.
Bitmap RenderProof(const CheckResult& result, const RegionalFormats& formats,
                   const FileSystem& files,
                   const std::function<void(RenderEnvironment&)>& bindPictureHooks);

}  // namespace vemra
