#pragma once
// The zoom cursor ("Zoom2"): a magnifier with a plus, made at run time so
// that the library needs no cursor file.
#include <windows.h>

namespace vemra {

// The caller destroys it with DestroyCursor.
HCURSOR CreateZoomCursor();

}  // namespace vemra
