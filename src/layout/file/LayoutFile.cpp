#include "layout/file/LayoutFile.h"

#include <algorithm>
#include <fstream>
#include <limits>

#include "base/FileSystem.h"
#include "base/Text.h"
#include "layout/file/LayoutLines.h"
#include "layout/fields/LayoutValues.h"

namespace vemra {
namespace {

// Layouts with their pictures are a few megabytes; anything far beyond that
// is not a layout and is not read into memory.
constexpr std::streamoff kMaxLayoutFileSize = 256 << 20;

// A size of the header: decimal digits, a negative size counting as none and
// one beyond the file as the rest of it.
bool ParseSize(std::string_view token, std::size_t& size) {
  bool negative = !token.empty() && token[0] == '-';
  if (negative) token.remove_prefix(1);
  if (token.empty()) return false;
  size = 0;
  for (char c : token) {
    if (c < '0' || c > '9') return false;
    std::size_t digit = std::size_t(c - '0');
    constexpr auto kMax = std::numeric_limits<std::size_t>::max();
    size = size > (kMax - digit) / 10 ? kMax : size * 10 + digit;
  }
  if (negative) size = 0;
  return true;
}

bool ParseHeader(std::string_view header, std::vector<std::size_t>& sizes) {
  sizes.clear();
  for (const auto& part : Split(header, '\t')) {
    std::string token = TrimControl(part);
    if (token.empty()) continue;
    std::size_t size = 0;
    if (!ParseSize(token, size)) return false;
    sizes.push_back(size);
  }
  return !sizes.empty();
}

}  // namespace

std::vector<std::string> FixedImageNames(const LayoutList& list) {
  std::vector<std::string> names;
  for (std::size_t i = 1; i < list.size(); ++i)
    if (GetLayoutValue("typ", list[i]) == "fim") names.push_back(GetLayoutValue("dat", list[i]));
  return names;
}

void LoadLayoutBytes(const std::uint8_t* data, std::size_t size, LayoutList& list,
                     PictureStore& store) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto separator = bytes.find(char(kContainerSeparator));
  std::vector<std::size_t> sizes;
  if (separator == std::string_view::npos || !ParseHeader(bytes.substr(0, separator), sizes)) {
    list = SplitTextLines(bytes);
    return;
  }
  std::size_t pos = separator + 1;
  auto take = [&](std::size_t wanted) {
    std::size_t part = std::min(wanted, size - pos);
    pos += part;
    return part;
  };
  std::size_t textSize = take(sizes[0]);
  list = SplitTextLines(bytes.substr(pos - textSize, textSize));
  auto names = FixedImageNames(list);
  // Pictures beyond the fim records have no name to be found by. An empty
  // one is still registered: it is embedded, so it fails to open instead
  // of quietly becoming a disk file of the same name.
  for (std::size_t i = 1; i < sizes.size() && i - 1 < names.size(); ++i) {
    std::size_t start = pos, length = take(sizes[i]);
    store.Add(names[i - 1], data + start, length);
  }
}

bool LoadLayoutFile(const std::string& path, LayoutList& list, PictureStore& store) {
  list.clear();
  std::ifstream in(NativePath(path), std::ios::binary | std::ios::ate);
  if (!in) return false;
  std::streamoff length = in.tellg();
  if (length < 0 || length > kMaxLayoutFileSize) return false;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), length)) return false;
  LoadLayoutBytes(bytes.data(), bytes.size(), list, store);
  return true;
}

bool LoadFrontLayoutFile(const std::string& path, LayoutList& list, PictureStore& store) {
  store.Clear();
  return LoadLayoutFile(path, list, store);
}

}  // namespace vemra
