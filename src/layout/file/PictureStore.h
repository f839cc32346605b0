#pragma once
// The pictures embedded in a job's layout files, found by name.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vemra {

class PictureStore {
 public:
  // Emptied whenever the front layout is loaded anew.
  void Clear();
  void Add(std::string_view name, const std::uint8_t* data, std::size_t size);
  std::size_t Count() const { return index_.size(); }

  // The first picture of that name (A-Z folded) becomes the current picture;
  // false, with an empty current picture, when there is none.
  bool Find(std::string_view name);
  const std::vector<std::uint8_t>& Current() const { return current_; }

 private:
  struct Entry {
    std::string name;  // A-Z lower-cased
    std::size_t offset, size;
  };
  std::vector<std::uint8_t> bytes_;
  std::vector<Entry> index_;
  std::vector<std::uint8_t> current_;
};

}  // namespace vemra
