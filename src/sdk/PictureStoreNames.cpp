#include "sdk/PictureStoreNames.h"

#include <string>

#include "base/Text.h"

namespace vemra {
namespace {

// Windows-1252 superscript one, two and three: "COM\xb9" is a port too.
bool IsPortDigit(unsigned char c) { return (c >= '0' && c <= '9') || c == 0xB9 || c == 0xB2 || c == 0xB3; }

bool IsReservedDeviceName(std::string_view id) {
  // "CON.jpg" opens the console as surely as "CON", and so does "CON .jpg":
  // the system drops the extension and the blanks before it.
  std::string_view stem = id.substr(0, id.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  const std::string name = UpperAscii(stem);
  for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (name == device) return true;
  return name.size() == 4 && (name.starts_with("COM") || name.starts_with("LPT")) &&
         IsPortDigit(static_cast<unsigned char>(name[3]));
}

}  // namespace

bool IsPictureStoreName(std::string_view id) {
  // Only "." and ".." as a whole name a folder; "a..b" and even an empty id
  // ("Image\\.jpg") are plain file names inside the store.
  if (id == "." || id == "..") return false;
  for (unsigned char c : id)
    if (c < 32 || c == 127 || std::string_view("\\/:*?\"<>|").find(char(c)) != std::string_view::npos)
      return false;
  return !IsReservedDeviceName(id);
}

}  // namespace vemra
