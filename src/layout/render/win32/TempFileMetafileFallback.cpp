#include "layout/render/win32/TempFileMetafileFallback.h"

#include <windows.h>

#include <atomic>

#include "imaging/LynImageEx.h"

namespace vemra {
namespace {

bool WriteAll(HANDLE file, const std::vector<std::uint8_t>& bytes) {
  DWORD written = 0;
  return WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

}  // namespace

std::string CreateUniqueTempFile(const std::string& extension) {
  char folder[MAX_PATH + 1];
  const DWORD length = GetTempPathA(MAX_PATH + 1, folder);
  if (length == 0 || length > MAX_PATH) return {};
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = std::string(folder) + "vemra-" +
                             std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(counter++) + extension;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      return path;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return {};
  }
  return {};
}

bool TempFileMetafileFallback::Load(const std::vector<std::uint8_t>& bytes,
                                    const std::string& extension, Picture& holder) {
  const std::string path = CreateUniqueTempFile(extension);
  if (path.empty()) return false;
  struct RemoveAfter {
    const std::string& path;
    ~RemoveAfter() { DeleteFileA(path.c_str()); }
  } removeAfter{path};
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                            FILE_ATTRIBUTE_TEMPORARY, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const bool written = WriteAll(file, bytes);
  CloseHandle(file);
  return written && LoadPictureToImage(holder, path);
}

}  // namespace vemra
