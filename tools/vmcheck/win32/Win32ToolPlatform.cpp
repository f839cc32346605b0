// The Windows build: the system's files and the user's regional formats,
// GDI's text measures and picture hooks.
#include "ToolPlatform.h"
#include "base/win32/Win32Platform.h"
#include "layout/render/win32/GdiRenderHooks.h"
#include "layout/render/win32/TempFileMetafileFallback.h"

namespace vemra {

ToolPlatform MakeToolPlatform() {
  return {MakeWin32FileSystem(), MakeUserRegionalFormats(), MakeTextMeasure(),
          [](RenderEnvironment& env) {
            static TempFileMetafileFallback fallback;
            BindWin32RenderHooks(env, &fallback);
          }};
}

}  // namespace vemra
