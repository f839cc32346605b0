#include "base/ShortString.h"

#include <algorithm>
#include <cstring>

namespace vemra {

ShortString ToShortString(std::string_view text) {
  ShortString out{};
  const std::size_t n = std::min<std::size_t>(text.size(), 255);
  out[0] = static_cast<unsigned char>(n);
  std::memcpy(out.data() + 1, text.data(), n);
  return out;
}

std::string FromShortString(const ShortString& buffer) {
  return std::string(reinterpret_cast<const char*>(buffer.data() + 1), buffer[0]);
}

}  // namespace vemra
