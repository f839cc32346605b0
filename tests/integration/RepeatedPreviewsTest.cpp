// Previews through the exports: many leave no GDI object and no window
// behind (the host runs for a whole working day), and a hostile photo
// costs no more memory than the budget allows.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "HostDll.h"

namespace vemra::test {
namespace {

int GdiObjectCount() {
  if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return int(n);
  // Wine does not count; its handle table answers for bare indices.
  int live = 0;
  for (ULONG_PTR i = 1; i < 0x10000; ++i) live += GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
  return live;
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK CountWindowAndChildren(HWND window, LPARAM count) {
  CountWindow(window, count);
  EnumChildWindows(window, CountWindow, count);
  return TRUE;
}

int WindowCount() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindowAndChildren, LPARAM(&count));
  return count;
}

int previewsClosed = 0;

// Answers the preview as a user would, with its close button's effect.
void CALLBACK ClosePreview(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND preview = FindWindowW(L"TdlgPreview", nullptr)) {
    ++previewsClosed;
    PostMessageW(preview, WM_CLOSE, 0, 0);
  }
}

TEST(RepeatedPreviews, LeaveNoObjectsBehind) {
  Exports dll = ByName();
  const std::string data = NewDemoDataFolder();
  CopyFromSource(data, "samples/portrait.jpg", "Image\\7.jpg");
  CopyFromSource(data, "samples/signature.jpg", "Image\\s7.jpg");
  ASSERT_EQ(dll.init(data.c_str()), 0);

  const UINT_PTR timer = SetTimer(nullptr, 0, 30, ClosePreview);
  auto preview = [&] {
    return dll.print(2, "7", "Berg", "Eva", "0180-77-45F", "2027-01-31", "", "", "", "", "");
  };
  ASSERT_EQ(preview(), 0);  // fonts and classes the system keeps
  const int gdi = GdiObjectCount(), windows = WindowCount();
  for (int i = 0; i < 10; ++i) ASSERT_EQ(preview(), 0) << i;
  KillTimer(nullptr, timer);
  EXPECT_GE(previewsClosed, 11);  // every preview was shown
  EXPECT_EQ(GdiObjectCount(), gdi);
  EXPECT_EQ(WindowCount(), windows);
  EXPECT_FALSE(FindWindowW(L"TdlgPreview", nullptr));
}

// The file with its frame header claiming width x height pixels.
void WriteClaiming(const std::string& from, const std::string& to, int width, int height) {
  std::ifstream in(from, std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  for (std::size_t i = 0; i + 8 < bytes.size(); ++i)
    if (std::uint8_t(bytes[i]) == 0xFF && (std::uint8_t(bytes[i + 1]) & 0xFC) == 0xC0) {
      bytes[i + 5] = char(height >> 8), bytes[i + 6] = char(height);
      bytes[i + 7] = char(width >> 8), bytes[i + 8] = char(width);
      break;
    }
  std::ofstream(to, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

TEST(RepeatedPreviews, APhotoDeclaringAHugePictureIsLeftOutAndLogged) {
  Exports dll = ByName();
  const std::string data = NewDemoDataFolder();
  WriteClaiming(WindowsPath(VEMRA_SOURCE_DIR "/samples/portrait.jpg"), data + "Image\\8.jpg", 10000,
                10000);
  CopyFromSource(data, "samples/signature.jpg", "Image\\s8.jpg");
  ASSERT_EQ(dll.init(data.c_str()), 0);

  const int closedBefore = previewsClosed;
  const UINT_PTR timer = SetTimer(nullptr, 0, 30, ClosePreview);
  EXPECT_EQ(dll.print(2, "8", "Berg", "Eva", "0180-77-45F", "2027-01-31", "", "", "", "", ""), 0);
  KillTimer(nullptr, timer);
  EXPECT_GT(previewsClosed, closedBefore);  // the card without its photo
  const std::string log = ReadText(data + "VemraSDK.log");
  EXPECT_NE(log.find("8.jpg: bilden 10000 x 10000 punkter"), std::string::npos) << log;
}

}  // namespace
}  // namespace vemra::test
