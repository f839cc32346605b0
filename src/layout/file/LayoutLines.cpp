#include "layout/file/LayoutLines.h"

namespace vemra {

std::vector<std::string> SplitTextLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    auto end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(pos, end - pos));
    if (end == text.size()) break;
    pos = end + 1;
    if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
  }
  return lines;
}

}  // namespace vemra
