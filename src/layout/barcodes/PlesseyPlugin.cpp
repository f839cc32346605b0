#include "layout/barcodes/PlesseyPlugin.h"

#include <algorithm>
#include <cstring>

namespace vemra {

PlesseyShortString ToShortString(std::string_view text) {
  PlesseyShortString out{};
  size_t n = std::min<size_t>(text.size(), 255);
  out[0] = static_cast<unsigned char>(n);
  std::memcpy(out.data() + 1, text.data(), n);
  return out;
}

std::string FromShortString(const PlesseyShortString& buffer) {
  // A length byte can say at most 255, which always fits in 256 bytes.
  return std::string(reinterpret_cast<const char*>(buffer.data() + 1), buffer[0]);
}

}  // namespace vemra
