#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/win32/Win32Platform.h"
#include "layout/render/win32/TempFileMetafileFallback.h"

namespace vemra {
namespace {

std::vector<std::uint8_t> RectangleEmf() {
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  Rectangle(dc, 0, 0, 40, 20);
  HENHMETAFILE emf = CloseEnhMetaFile(dc);
  std::vector<std::uint8_t> bytes(GetEnhMetaFileBits(emf, 0, nullptr));
  GetEnhMetaFileBits(emf, UINT(bytes.size()), bytes.data());
  DeleteEnhMetaFile(emf);
  return bytes;
}

int OurTempFiles() {
  char folder[MAX_PATH + 1];
  GetTempPathA(MAX_PATH + 1, folder);
  const std::string pattern =
      std::string(folder) + "vemra-" + std::to_string(GetCurrentProcessId()) + "-*";
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA(pattern.c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do ++count;
  while (FindNextFileA(h, &found));
  FindClose(h);
  return count;
}

TEST(TempFileMetafileFallback, LoadsThroughAFileOfItsOwnAndRemovesIt) {
  TempFileMetafileFallback fallback;
  Picture holder;
  EXPECT_TRUE(fallback.Load(RectangleEmf(), ".emf", holder));
  EXPECT_FALSE(holder.Empty());
  const std::vector<std::uint8_t> junk{1, 2, 3};
  EXPECT_FALSE(fallback.Load(junk, ".wmf", holder));
  EXPECT_EQ(OurTempFiles(), 0);
}

TEST(TempFileMetafileFallback, LeavesAUsersTempWmfInTheHostFolderAlone) {
  const std::string users = HostFolder() + "temp.wmf";
  const std::string content = "the user's own picture";
  HANDLE file = CreateFileA(users.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, content.data(), DWORD(content.size()), &written, nullptr);
  CloseHandle(file);

  TempFileMetafileFallback fallback;
  Picture holder;
  EXPECT_TRUE(fallback.Load(RectangleEmf(), ".emf", holder));
  fallback.Load({1, 2, 3}, ".wmf", holder);

  char back[64] = {};
  DWORD read = 0;
  file = CreateFileA(users.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << "the user's file was removed";
  ReadFile(file, back, sizeof back, &read, nullptr);
  CloseHandle(file);
  DeleteFileA(users.c_str());
  EXPECT_EQ(std::string(back, read), content);
}

TEST(TempFileMetafileFallback, UniqueFilesNeverShareAName) {
  const std::string a = CreateUniqueTempFile(".wmf"), b = CreateUniqueTempFile(".wmf");
  ASSERT_FALSE(a.empty());
  EXPECT_NE(a, b);
  EXPECT_EQ(a.substr(a.size() - 4), ".wmf");
  DeleteFileA(a.c_str());
  DeleteFileA(b.c_str());
}

}  // namespace
}  // namespace vemra
