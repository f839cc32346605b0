#include "sdk/PictureStoreNames.h"

#include <string>

#include "base/Text.h"

namespace vemra {
namespace {

bool IsReservedDeviceName(std::string_view id) {
  // "CON.jpg" opens the console as surely as "CON".
  const std::string stem = UpperAscii(id.substr(0, id.find('.')));
  for (const char* name : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
    if (stem == name) return true;
  return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
         stem[3] >= '0' && stem[3] <= '9';
}

}  // namespace

bool IsPictureStoreName(std::string_view id) {
  if (id.empty() || id.find("..") != std::string_view::npos) return false;
  for (unsigned char c : id)
    if (c < 32 || c == 127 || std::string_view("\\/:*?\"<>|").find(char(c)) != std::string_view::npos)
      return false;
  return !IsReservedDeviceName(id);
}

}  // namespace vemra
