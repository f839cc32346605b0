#pragma once
// Drawing into our bitmaps through GDI: a 24-bit top-down DIB section whose
// rows are copied out when the drawing is done.
#include <windows.h>

#include <functional>
#include <string>

#include "base/win32/Win32Platform.h"
#include "imaging/Bitmap.h"
#include "imaging/Picture.h"

namespace vemra {

// A white w x h 24-bit bitmap after `draw` has painted on its device context.
// False when GDI cannot make the surface.
bool DrawIntoBitmap(int width, int height, const std::function<void(HDC)>& draw, Bitmap& out);

// The metafile as a GDI enhanced metafile (WMF bytes are converted); the
// caller deletes it. Null when the bytes are not a metafile.
HENHMETAFILE MakeEnhancedMetafile(const Metafile& metafile);

// Stretches a bitmap of any format onto `dc`.
void StretchBitmap(HDC dc, const Bitmap& bitmap, int width, int height);


}  // namespace vemra
