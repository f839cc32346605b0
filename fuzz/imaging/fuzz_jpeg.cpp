#include "imaging/PictureCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vemra::Bitmap picture;
  vemra::DecodeJpeg(data, size, picture);
  return 0;
}
