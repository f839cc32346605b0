#include "layout/barcodes/Code39.h"

#include <cstring>

#include "base/Text.h"

namespace vemra {
namespace {

// ISO/IEC 16388, Table 1: the 43 data characters and the start/stop "*",
// 9 elements each (B S B S B S B S B), n narrow, w wide, three wide.
constexpr char kCharacters[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
constexpr const char* kPatterns[] = {
    "nnnwwnwnn", "wnnwnnnnw", "nnwwnnnnw", "wnwwnnnnn", "nnnwwnnnw",  // 0-4
    "wnnwwnnnn", "nnwwwnnnn", "nnnwnnwnw", "wnnwnnwnn", "nnwwnnwnn",  // 5-9
    "wnnnnwnnw", "nnwnnwnnw", "wnwnnwnnn", "nnnnwwnnw", "wnnnwwnnn",  // A-E
    "nnwnwwnnn", "nnnnnwwnw", "wnnnnwwnn", "nnwnnwwnn", "nnnnwwwnn",  // F-J
    "wnnnnnnww", "nnwnnnnww", "wnwnnnnwn", "nnnnwnnww", "wnnnwnnwn",  // K-O
    "nnwnwnnwn", "nnnnnnwww", "wnnnnnwwn", "nnwnnnwwn", "nnnnwnwwn",  // P-T
    "wwnnnnnnw", "nwwnnnnnw", "wwwnnnnnn", "nwnnwnnnw", "wwnnwnnnn",  // U-Y
    "nwwnwnnnn", "nwnnnnwnw", "wwnnnnwnn", "nwwnnnwnn", "nwnwnwnnn",  // Z - . space $
    "nwnwnnnwn", "nwnnnwnwn", "nnnwnwnwn",                            // / + %
};
constexpr const char* kStartStop = "nwnnwnwnn";
constexpr const char* kUnknown = "nnnnnnnnn";

void AppendCharacter(BarElements& out, const char* pattern) {
  bool bar = true;
  for (const char* p = pattern; *p; ++p) {
    out.push_back({bar, *p == 'w' ? kCode39Wide : kCode39Narrow});
    bar = !bar;
  }
  out.push_back({false, kCode39Narrow});  // inter-character gap
}

const char* PatternOf(char c) {
  // strchr would also match the terminating zero.
  if (c == '\0') return kUnknown;
  const char* at = std::strchr(kCharacters, c);
  return at ? kPatterns[at - kCharacters] : kUnknown;
}

}  // namespace

BarElements EncodeCode39(std::string_view text) {
  BarElements out;
  out.reserve((text.size() + 2) * 10);
  AppendCharacter(out, kStartStop);
  for (char c : UpperAscii(text)) AppendCharacter(out, PatternOf(c));
  AppendCharacter(out, kStartStop);
  return out;
}

}  // namespace vemra
