// The Windows binding of PictureFileIo.h: ANSI file functions, so that
// paths in the ANSI code page reach the file system unchanged.
#include <windows.h>

#include <stdexcept>

#include "base/FileSystem.h"
#include "base/TempNames.h"
#include "imaging/PictureFileIo.h"
#include "imaging/PictureLimits.h"
#include "imaging/win32/GdiDrawing.h"

namespace vemra {

bool PictureFileExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ReadPictureFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(file, &size) && std::uintmax_t(size.QuadPart) <= kMaxPictureFileBytes;
  std::vector<std::uint8_t> data;
  if (ok) {
    try {
      data.resize(std::size_t(size.QuadPart));
      DWORD read = 0;
      ok = data.empty() || (ReadFile(file, data.data(), DWORD(data.size()), &read, nullptr) &&
                            read == data.size());
    } catch (const std::exception&) {
      ok = false;
    }
  }
  CloseHandle(file);
  if (ok) bytes = std::move(data);
  return ok;
}

namespace {

void CreateFolderChain(const std::string& folder) {
  for (std::size_t at = folder.find_first_of("\\/", 3); at != std::string::npos;
       at = folder.find_first_of("\\/", at + 1))
    CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
}

}  // namespace

void WriteFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  CreateFolderChain(FolderOf(path));
  std::string temporary;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 10 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temporary = UniqueSiblingName(path);
    file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("Cannot write " + path);
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                  written == bytes.size() && FlushFileBuffers(file);
  CloseHandle(file);
  if (!ok || !MoveFileExA(temporary.c_str(), path.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temporary.c_str());
    throw std::runtime_error("Cannot write " + path);
  }
}

namespace {

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

std::int32_t S16(const std::uint8_t* p) { return std::int16_t(p[0] | p[1] << 8); }

// Placeable WMF: bounding box in units of `inch` per inch.
bool MeasureWmf(const std::vector<std::uint8_t>& b, Metafile& m) {
  if (b.size() <= 22 || !(b[0] == 0xD7 && b[1] == 0xCD && b[2] == 0xC6 && b[3] == 0x9A)) return false;
  const int inch = int(b[14] | b[15] << 8);
  if (inch <= 0) return false;
  const int dpi = ScreenDpi();
  m.widthPixels = MulDiv(S16(&b[10]) - S16(&b[6]), dpi, inch);
  m.heightPixels = MulDiv(S16(&b[12]) - S16(&b[8]), dpi, inch);
  return true;
}

// EMF: the picture frame in hundredths of a millimetre.
bool MeasureEmf(const Metafile& m, Metafile& out) {
  HENHMETAFILE handle = MakeEnhancedMetafile(m);
  if (!handle) return false;
  ENHMETAHEADER header{};
  const bool ok = GetEnhMetaFileHeader(handle, sizeof header, &header) == sizeof header;
  DeleteEnhMetaFile(handle);
  if (!ok) return false;
  const int dpi = ScreenDpi();
  out.widthPixels = MulDiv(header.rclFrame.right - header.rclFrame.left, dpi, 2540);
  out.heightPixels = MulDiv(header.rclFrame.bottom - header.rclFrame.top, dpi, 2540);
  return true;
}

}  // namespace

bool ReadMetafile(const std::vector<std::uint8_t>& bytes, bool enhanced, Metafile& out) {
  Metafile m;
  m.enhanced = enhanced;
  m.bytes = bytes;
  if (!(enhanced ? MeasureEmf(m, m) : MeasureWmf(bytes, m))) return false;
  if (!PictureSizeAcceptable(m.widthPixels, m.heightPixels)) return false;
  HENHMETAFILE playable = MakeEnhancedMetafile(m);
  if (!playable) return false;
  DeleteEnhMetaFile(playable);
  out = std::move(m);
  return true;
}

bool MetafileToBitmap(const Metafile* graphic, Bitmap& bitmap) {
  if (!graphic) return false;
  HENHMETAFILE handle = MakeEnhancedMetafile(*graphic);
  if (!handle) return false;
  const int w = graphic->widthPixels, h = graphic->heightPixels;
  const bool ok = DrawIntoBitmap(w, h, [&](HDC dc) {
    RECT frame{0, 0, w, h};
    PlayEnhMetaFile(dc, handle, &frame);
  }, bitmap);
  DeleteEnhMetaFile(handle);
  return ok;
}

}  // namespace vemra
