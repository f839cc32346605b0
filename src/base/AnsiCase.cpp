#include "base/AnsiCase.h"

namespace vemra {
namespace {

bool IsLowerAnsi(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 0xE0 && c != 0xF7 && c != 0xFF) || c == 0x9A ||
         c == 0x9C || c == 0x9E;
}
bool IsUpperAnsi(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x8A ||
         c == 0x8C || c == 0x8E;
}

}  // namespace

char UpperAnsiChar(char ch) {
  auto c = static_cast<unsigned char>(ch);
  if (c == 0xFF) return char(0x9F);
  if (c == 0x9A || c == 0x9C || c == 0x9E) return char(c - 0x10);
  return IsLowerAnsi(c) ? char(c - 0x20) : ch;
}

char LowerAnsiChar(char ch) {
  auto c = static_cast<unsigned char>(ch);
  if (c == 0x9F) return char(0xFF);
  if (c == 0x8A || c == 0x8C || c == 0x8E) return char(c + 0x10);
  return IsUpperAnsi(c) ? char(c + 0x20) : ch;
}

std::string UpperAnsi(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = UpperAnsiChar(c);
  return out;
}

std::string LowerAnsi(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = LowerAnsiChar(c);
  return out;
}

bool EqualsNoCaseAnsi(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAnsiChar(a[i]) != LowerAnsiChar(b[i])) return false;
  return true;
}

}  // namespace vemra
