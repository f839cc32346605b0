// A layout from outside through the renderer onto recording canvases:
// every record kind, the shadow picture, picture effects and pictures,
// with the picture budget small enough that its refusals are met often.
#include <cstddef>
#include <cstdint>
#include <exception>

#include "RecordingCanvas.h"
#include "base/FileSystem.h"
#include "base/RegionalFormats.h"
#include "imaging/PictureBudget.h"
#include "layout/fields/LayoutValues.h"
#include "layout/render/LayoutRenderer.h"

using namespace vemra;

namespace {

Bitmap Filled(int width, int height, std::uint8_t value) {
  Bitmap b(width, height);
  for (int y = 0; y < height; ++y) std::fill_n(b.Row(y), std::size_t(width) * 3, value);
  return b;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const ScopedPictureBudget budget(64u << 20, 16u << 20);
  if (size < 1) return 0;
  const std::uint8_t options = data[0];
  PictureStore store;
  LayoutList list;
  LoadLayoutBytes(data + 1, size - 1, list, store);

  SwedishFormats formats;
  FieldList fields;
  fields.Add("tillstnr", "0180-00123-45K");
  fields.Add("enamn", "Andersson");
  fields.Add("foto", "Image\\123");
  const auto files = MakePortableFileSystem();
  Picture photo, signature;
  photo.SetBitmap(Filled(30, 40, 0x80));
  signature.SetBitmap(Filled(40, 10, 0x20));
  RecordingCanvasFactory shadows;
  shadows.dpi = 96;
  RenderEnvironment env{.fields = fields,
                        .formats = formats,
                        .files = *files,
                        .store = store,
                        .hostFolder = "/nonexistent/",
                        .photo = &photo,
                        .signature = &signature,
                        .printerName = "Card Printer",
                        .makeBitmapCanvas = shadows.Bind()};
  LayoutRenderer renderer(env);
  RecordingCanvas output(96, 400, 300);
  const OutputKind kind = options & 1 ? OutputKind::Printer : OutputKind::Preview;
  const int angle = 90 * ((options >> 1) & 3);
  try {
    renderer.BeginJob(output, kind, options & 8 ? 0.5 : 1.0);
    renderer.DrawLayoutList(list, angle, options & 16 ? 2.5 : 0, 0);
  } catch (const LayoutValueError&) {
    // A layout value that is not a number fails the job, as designed.
  } catch (const std::exception&) {
    // So does any other failure the print job turns into a result code.
  }
  return 0;
}
