#include "layout/fields/DelimitedText.h"

#include <charconv>

#include "base/Text.h"

namespace vemra {

std::size_t FindNoCase(std::string_view text, std::string_view needle, std::size_t from) {
  if (needle.size() > text.size()) return std::string_view::npos;
  for (std::size_t i = from; i + needle.size() <= text.size(); ++i)
    if (EqualsNoCaseAscii(text.substr(i, needle.size()), needle)) return i;
  return std::string_view::npos;
}

std::string TextBefore(std::string_view delimiter, std::string_view text) {
  auto pos = FindNoCase(text, delimiter);
  return pos == std::string_view::npos ? std::string() : std::string(text.substr(0, pos));
}

std::string TextAfter(std::string_view delimiter, std::string_view text) {
  auto pos = FindNoCase(text, delimiter);
  return pos == std::string_view::npos ? std::string()
                                       : std::string(text.substr(pos + delimiter.size()));
}

std::string TextBetween(std::string_view opening, std::string_view closing,
                        std::string_view text) {
  return TextBefore(closing, TextAfter(opening, text));
}

bool IsIntegerText(std::string_view text) {
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool ToInt32(std::string_view text, int& value) {
  if (!IsIntegerText(text)) return false;
  if (text[0] == '+') text.remove_prefix(1);
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace vemra
