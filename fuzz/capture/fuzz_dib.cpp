// Any memory block a scanner driver hands over: DibToBitmap refuses it or
// gives a 24-bit picture of a size the header allows.
#include <cstdlib>

#include "capture/scanner/DibConversion.h"
#include "imaging/PictureLimits.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vemra::Bitmap picture;
  if (!vemra::DibToBitmap(data, size, picture)) return 0;
  if (picture.Format() != vemra::PixelFormat::pf24bit ||
      !vemra::PictureSizeAcceptable(picture.Width(), picture.Height()))
    std::abort();
  return 0;
}
