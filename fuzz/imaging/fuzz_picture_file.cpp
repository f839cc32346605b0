// Detection and loading by extension then content, through a real file
// under each name the loader treats differently.
#include <unistd.h>

#include <fstream>
#include <string>

#include "imaging/LynImageEx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string folder = "/tmp/vemra-fuzz-" + std::to_string(getpid()) + "-";
  for (const char* name : {"p.bmp", "p.jpg", "p"}) {
    const std::string path = folder + name;
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    vemra::DetectPictureFormat(path);
    vemra::Bitmap picture;
    vemra::LoadPictureToBitmap(path, picture);
  }
  return 0;
}
