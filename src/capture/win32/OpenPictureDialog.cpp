#include "capture/win32/OpenPictureDialog.h"

#include <commdlg.h>

#include <vector>

namespace vemra {

std::optional<std::string> ChoosePictureFile(HWND owner, const std::string& filter) {
  std::string filters = filter + "||";
  for (char& c : filters)
    if (c == '|') c = '\0';
  std::vector<char> path(32768, '\0');
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filters.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = path.data();
  ofn.nMaxFile = DWORD(path.size());
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
              OFN_EXPLORER;
  if (!GetOpenFileNameA(&ofn)) return std::nullopt;
  return std::string(path.data());
}

}  // namespace vemra
