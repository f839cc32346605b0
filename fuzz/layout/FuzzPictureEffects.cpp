// Picture effects of any record on any small picture: transparency with
// seeds and spread, grey scale, line screens and opacity, over a box of
// any size within the budget.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "RecordingCanvas.h"
#include "imaging/PictureBudget.h"
#include "layout/render/PictureEffects.h"

using namespace vemra;

namespace {

Bitmap StretchNearest(const Picture& picture, int width, int height) {
  const Bitmap* source = picture.AsBitmap();
  if (!source || source->Empty() || width <= 0 || height <= 0) return Bitmap();
  Bitmap out(width, height);
  DrawOver(out, *source);
  out.transparent = source->transparent;
  out.transparentColour = source->transparentColour;
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const ScopedPictureBudget budget(64u << 20, 16u << 20);
  if (size < 6) return 0;
  const int w = 1 + data[0] % 32, h = 1 + data[1] % 32;
  const int boxWidth = data[2] * 2, boxHeight = data[3] * 2;
  const bool transparent = data[4] & 1;
  data += 5, size -= 5;

  Bitmap source(w, h);
  std::size_t used = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < 3 * w && used < size; ++x) source.Row(y)[x] = data[used++];
  source.transparent = transparent;
  source.transparentColour = 0xFFFFFF;
  const std::string record(reinterpret_cast<const char*>(data + used), size - used);

  Picture picture;
  picture.SetBitmap(std::move(source));
  RecordingCanvas background(96, 256, 256);
  LynAlpha alpha;
  try {
    ApplyImageEffects({3, 5, 3 + boxWidth, 5 + boxHeight}, background, picture, record, alpha,
                      StretchNearest);
  } catch (const PictureRefused&) {
    // The renderer skips such a record.
  }
  return 0;
}
