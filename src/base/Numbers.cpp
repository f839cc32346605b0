#include "base/Numbers.h"

#include <charconv>
#include <cmath>

namespace vemra {

std::optional<std::int32_t> ParseIntegerText(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    std::string_view digits = text.substr(2);
    if (digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
    return static_cast<std::int32_t>(value);
  }
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  if (text.empty() || text[0] == '+') return std::nullopt;
  std::int32_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string FormatDecimal(double value, char separator) {
  if (value == 0) return "0";  // also -0
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value,
                                 std::chars_format::general, 15);
  if (ec != std::errc()) return "0";
  std::string text(buffer, end);
  for (char& c : text) {
    if (c == '.') c = separator;
    if (c == 'e') c = 'E';
  }
  return text;
}

std::optional<double> ParseDecimal(std::string_view text, char separator) {
  if (text.empty()) return std::nullopt;
  std::string normal(text);
  for (char& c : normal) {
    if (c == separator) c = '.';
    else if (c == '.') return std::nullopt;  // not this locale's separator
  }
  std::size_t start = normal[0] == '+' ? 1 : 0;
  double value = 0;
  auto [end, ec] = std::from_chars(normal.data() + start, normal.data() + normal.size(),
                                   value, std::chars_format::general);
  if (ec != std::errc() || end != normal.data() + normal.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

}  // namespace vemra
