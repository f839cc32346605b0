#include "layout/render/win32/GdiCanvas.h"
#include "layout/render/win32/GdiRenderHooks.h"

#include "imaging/LynImageEx.h"
#include "imaging/win32/LynImageExWin32.h"
#include "layout/barcodes/win32/PlesseyPluginLoader.h"

namespace vemra {
namespace {

// The picture drawn by GDI into a white bitmap of the size, its key colour
// left out, as the picture effects start from it.
Bitmap StretchToBitmap(const Picture& picture, int width, int height) {
  if (picture.Empty() || width <= 0 || height <= 0) return Bitmap();
  GdiBitmapCanvas canvas(width, height);
  const PixelRect box{0, 0, width, height};
  if (const Bitmap* bitmap = picture.AsBitmap()) {
    canvas.StretchDraw(box, *bitmap);
  } else {
    canvas.StretchDraw(box, *picture.AsMetafile());
  }
  return canvas.Pixels();
}

}  // namespace

void BindWin32RenderHooks(RenderEnvironment& env, MetafileFallback* fallback) {
  env.makeBitmapCanvas = MakeGdiBitmapCanvas;
  env.loadPictureToImage = [](Picture& holder, const std::string& path, const DrawSize& box) {
    return LoadPictureToImage(holder, path, box);
  };
  env.loadPictureKeepVector = [](Picture& holder, const std::string& path, const DrawSize& box) {
    return LoadPictureKeepVector(holder, path, box);
  };
  env.stretchPictureToSize = [](int width, int height, Picture& holder) {
    StretchPictureToSize(width, height, holder, width, height);
  };
  env.rotateImageQuarter = [](int angle, Picture& holder) { RotateImageQuarter(angle, holder); };
  env.stretchToBitmap = StretchToBitmap;
  env.metafileFallback = fallback;
  env.plesseyCheckChars = [](std::string_view text) { return PlesseyCheckChars(text); };
}

}  // namespace vemra
