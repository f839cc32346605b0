// Any bytes: ReadBmp fails cleanly or gives a picture that writes and
// reads back at the same size.
#include <cstdlib>

#include "imaging/PictureCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vemra::Bitmap picture;
  if (!vemra::ReadBmp(data, size, picture)) return 0;
  std::vector<std::uint8_t> file;
  vemra::Bitmap back;
  if (!vemra::WriteBmp(picture, file) || !vemra::ReadBmp(file.data(), file.size(), back) ||
      back.Width() != picture.Width() || back.Height() != picture.Height())
    std::abort();
  return 0;
}
