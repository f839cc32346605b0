#include "layout/render/win32/TempFileMetafileFallback.h"

#include <cstdio>
#include <fstream>

#include "base/FileSystem.h"
#include "imaging/LynImageEx.h"

namespace vemra {

bool TempFileMetafileFallback::Load(const std::vector<std::uint8_t>& bytes,
                                    const std::string& extension, Picture& holder) {
  const std::string path = WithTrailingBackslash(hostFolder_) + "temp" + extension;
  {
    std::ofstream out(NativePath(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out.flush()) {
      out.close();
      std::remove(NativePath(path).c_str());
      return false;
    }
  }
  bool loaded = false;
  try {
    loaded = LoadPictureToImage(holder, path);
  } catch (...) {
    std::remove(NativePath(path).c_str());
    throw;
  }
  std::remove(NativePath(path).c_str());
  return loaded;
}

}  // namespace vemra
