#include "WindowPicture.h"

#include <cstring>

#include "base/win32/Win32Windows.h"
#include "imaging/Bitmap.h"
#include "imaging/LynImageEx.h"

namespace vemra {

std::string ExeFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.find_last_of('\\') + 1);
}

void SaveScreenshot(HWND window, const std::string& name) {
  // Children created a moment ago may not have painted yet.
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  RECT r{};
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  BITMAPINFO info = TopDown24BitInfo(w, h);
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP section = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, section);
  HDC dc = GetWindowDC(window);
  BitBlt(memory, 0, 0, w, h, dc, 0, 0, SRCCOPY);
  ReleaseDC(window, dc);
  GdiFlush();
  Bitmap shot(w, h);
  const int stride = (w * 3 + 3) & ~3;
  for (int y = 0; y < h; ++y)
    std::memcpy(shot.Row(y), static_cast<const std::uint8_t*>(bits) + y * stride, 3 * w);
  SelectObject(memory, old);
  DeleteObject(section);
  DeleteDC(memory);
  SavePictureFile(shot, ExeFolder() + name, 0);
}

}  // namespace vemra
