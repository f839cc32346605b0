#pragma once
// What the layout renderer needs from its surroundings. The print job fills
// one per job; the Windows build binds the picture hooks to GDI, tests to
// portable stand-ins.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "base/FileSystem.h"
#include "base/RegionalFormats.h"
#include "imaging/Picture.h"
#include "layout/render/Canvas.h"
#include "layout/file/EmbeddedPictures.h"
#include "layout/fields/FieldValues.h"
#include "layout/file/PictureStore.h"

namespace vemra {

// A canvas over a bitmap of its own (the shadow picture, the copy that a
// semi-transparent text is drawn into).
class BitmapCanvas : public Canvas {
 public:
  // The pixels as drawn so far.
  virtual const Bitmap& Pixels() = 0;
};

// Makes a canvas over a copy of `initial` (24 bits). May throw for
// pictures too large to hold; the renderer then draws without the copy.
using BitmapCanvasFactory = std::function<std::unique_ptr<BitmapCanvas>(const Bitmap& initial)>;

struct RenderEnvironment {
  FieldList& fields;
  const RegionalFormats& formats;
  const FileSystem& files;
  PictureStore& store;
  std::string hostFolder{};  // with its trailing "\"
  const Picture* photo = nullptr;
  const Picture* signature = nullptr;
  // The current printer, for IsRasterPrinter.
  std::string printerName{};

  BitmapCanvasFactory makeBitmapCanvas{};

  // Picture loading and conversion. Unset hooks fall back to the portable
  // picture module, which cannot draw metafiles. `box` is where the picture
  // goes, so that a large photo need not be decoded whole.
  using LoadPictureHook =
      std::function<bool(Picture& holder, const std::string& path, const DrawSize& box)>;
  LoadPictureHook loadPictureToImage{};
  LoadPictureHook loadPictureKeepVector{};
  // A 24-bit bitmap of width x height with its lower-left colour
  // transparent, a metafile drawn into it.
  std::function<void(int width, int height, Picture& holder)> stretchPictureToSize{};
  // Clockwise by 90, 180 or 270 degrees, as a 24-bit bitmap.
  std::function<void(int angle, Picture& holder)> rotateImageQuarter{};
  // The picture stretched into a new 24-bit bitmap (picture effects).
  std::function<Bitmap(const Picture& picture, int width, int height)> stretchToBitmap{};
  // Told the full size of a bitmap that is shrunk to its box before it is
  // drawn, for tools that look for pictures far larger than their box.
  std::function<void(int width, int height)> shrinkingPicture{};
  MetafileFallback* metafileFallback = nullptr;

  // Plessey check characters from the plug-in; unset or empty: none.
  std::function<std::string(std::string_view text)> plesseyCheckChars{};
  // "Failed to open " + name for an embedded picture that does not decode.
  std::function<void(const std::string& message)> reportError{};
  // One step of the progress window, once per record drawn on the output.
  std::function<void()> progressStep{};
  // Lets pending window messages run.
  std::function<void()> processMessages{};
};

}  // namespace vemra
