#include "layout/file/PictureStore.h"

#include "base/Text.h"

namespace vemra {

void PictureStore::Clear() {
  bytes_.clear();
  index_.clear();
  current_.clear();
}

void PictureStore::Add(std::string_view name, const std::uint8_t* data, std::size_t size) {
  index_.push_back({LowerAscii(name), bytes_.size(), size});
  bytes_.insert(bytes_.end(), data, data + size);
}

bool PictureStore::Find(std::string_view name) {
  const std::string wanted = LowerAscii(name);
  current_.clear();
  for (const auto& entry : index_) {
    if (entry.name != wanted) continue;
    auto begin = bytes_.begin() + std::ptrdiff_t(entry.offset);
    current_.assign(begin, begin + std::ptrdiff_t(entry.size));
    return true;
  }
  return false;
}

}  // namespace vemra
