#include "imaging/PictureCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vemra::Bitmap picture;
  vemra::DecodeJpeg(data, size, picture);
  // Scaled decoding too, into a box the input's length picks.
  const vemra::DrawSize box{int(size % 97) + 1, int(size % 89) + 1, size % 2 == 0};
  vemra::DecodeJpeg(data, size, picture, box);
  return 0;
}
