// The non-Windows binding of PictureFileIo.h; win32/PictureFileIoWin32.cpp
// is the Windows one.
#ifndef _WIN32
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "base/FileSystem.h"
#include "base/TempNames.h"
#include "imaging/PictureFileIo.h"

namespace vemra {

namespace fs = std::filesystem;

bool PictureFileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(NativePath(path), ec);
}

bool ReadPictureFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(NativePath(path), ec);
  if (ec || size > kMaxPictureFileBytes) return false;
  std::ifstream in(NativePath(path), std::ios::binary);
  if (!in) return false;
  std::vector<std::uint8_t> data(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(data.data()), std::streamsize(data.size()));
  if (std::size_t(in.gcount()) != data.size()) return false;
  bytes = std::move(data);
  return true;
}

void WriteFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const fs::path target(NativePath(path));
  std::error_code ec;
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);
  const fs::path temporary(UniqueSiblingName(target.string()));
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out.flush()) {
      out.close();
      fs::remove(temporary, ec);
      throw std::runtime_error("Cannot write " + path);
    }
  }
  fs::rename(temporary, target, ec);
  if (ec) {
    fs::remove(temporary, ec);
    throw std::runtime_error("Cannot replace " + path);
  }
}

bool ReadMetafile(const std::vector<std::uint8_t>&, bool, Metafile&) { return false; }
bool MetafileToBitmap(const Metafile*, Bitmap&) { return false; }

}  // namespace vemra
#endif
