#include "base/Cp1252.h"

#include <array>
#include <cstdint>

namespace vemra {
namespace {

// Code points of 0x80-0x9F in Windows-1252; 0 where the code is unused.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t CodePointOf(unsigned char c) {
  if (c < 0x80 || c >= 0xA0) return c;
  char16_t high = kHigh[c - 0x80];
  return high ? high : c;
}

char AnsiOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return char(cp);
  for (std::size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == cp) return char(0x80 + i);
  return '?';
}

// Decodes one UTF-8 sequence at text[i]; a malformed byte stands for itself
// so that text already in Windows-1252 passes through unharmed.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char lead = byte(i);
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  if (extra == 0) return byte(i++);
  char32_t cp = lead & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    if (i + k >= text.size() || (byte(i + k) & 0xC0) != 0x80) return byte(i++);
    cp = cp << 6 | (byte(i + k) & 0x3F);
  }
  i += extra + 1;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | cp >> 6);
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xE0 | cp >> 12);
    out += char(0x80 | (cp >> 6 & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

}  // namespace

std::string Ansi(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) out += AnsiOf(NextCodePoint(utf8, i));
  return out;
}

std::string Utf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() * 2);
  for (unsigned char c : ansi) AppendUtf8(out, CodePointOf(c));
  return out;
}

}  // namespace vemra
