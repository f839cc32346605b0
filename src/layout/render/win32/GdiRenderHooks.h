#pragma once
// The renderer's platform hooks bound to GDI: bitmap canvases, metafiles
// kept as vectors, stretching and turning through GDI, the Plessey plug-in.
#include "layout/render/RenderEnvironment.h"

namespace vemra {

// Sets every picture hook, the bitmap-canvas factory and the Plessey check
// characters of `env`; the progress step and the message pump stay the
// caller's. `fallback` may be null.
void BindWin32RenderHooks(RenderEnvironment& env, MetafileFallback* fallback);

}  // namespace vemra
