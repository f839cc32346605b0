#pragma once
// Checks of what a layout's records draw: each record goes through the
// library's renderer onto a probe canvas at the printer's resolution, and
// what it draws is held against its box.
#include <functional>
#include <string>

#include "CardFiles.h"
#include "TextMeasure.h"
#include "base/RegionalFormats.h"
#include "layout/render/RenderEnvironment.h"

namespace vemra {

constexpr int kPrinterDpi = 300;

struct DrawingServices {
  FieldList& fields;
  const RegionalFormats& formats;
  const FileSystem& files;
  PictureStore& store;
  std::string hostFolder;  // with its trailing "\"
  TextMeasure& measure;
  // Binds the platform's picture hooks (metafiles on Windows); may be empty.
  std::function<void(RenderEnvironment&)> bindPictureHooks{};
};

// Texts wider or taller than their box, barcodes past theirs or with data
// their symbology cannot encode, pictures not found, not decoded or much
// larger than their box.
void CheckDrawing(const LayoutSide& side, DrawingServices& services, Problems& problems);

// Objects lying wholly under an opaque rectangle drawn after them.
void CheckHiddenObjects(const LayoutSide& side, Problems& problems);

// The box of a record in printer pixels, rounded as the renderer rounds.
PixelRect PrinterBox(const MmBox& box);

}  // namespace vemra
