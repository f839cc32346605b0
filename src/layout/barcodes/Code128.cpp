#include "layout/barcodes/Code128.h"

#include <stdexcept>

namespace vemra {
namespace {

// ISO/IEC 15417, Table 1 (symbol character encodation): element widths in
// modules for values 0-105, bar first; 106 is the stop with its final bar.
constexpr const char* kPatterns[107] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312",  //   0
    "132212", "221213", "221312", "231212", "112232", "122132", "122231", "113222",  //   8
    "123122", "123221", "223211", "221132", "221231", "213212", "223112", "312131",  //  16
    "311222", "321122", "321221", "312212", "322112", "322211", "212123", "212321",  //  24
    "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",  //  32
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121",  //  40
    "313121", "211331", "231131", "213113", "213311", "213131", "311123", "311321",  //  48
    "331121", "312113", "312311", "332111", "314111", "221411", "431111", "111224",  //  56
    "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",  //  64
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",  //  72
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112",  //  80
    "421211", "212141", "214121", "412121", "111143", "111341", "131141", "114113",  //  88
    "114311", "411113", "411311", "113141", "114131", "311141", "411131", "211412",  //  96
    "211214", "211232", "2331112",                                                   // 104
};

enum class Set { A, B, C };

unsigned char At(std::string_view text, size_t i) { return static_cast<unsigned char>(text[i]); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// The character an A/B set actually encodes: above 127 it is the one that
// follows FNC4.
unsigned char Low(unsigned char c) { return c & 0x7F; }

bool DigitRunAt(std::string_view text, size_t pos) {
  if (pos + 4 > text.size()) return false;
  for (size_t i = pos; i < pos + 4; ++i)
    if (!IsDigit(At(text, i))) return false;
  return true;
}

size_t NextDigitRun(std::string_view text, size_t pos) {
  for (; pos < text.size(); ++pos)
    if (DigitRunAt(text, pos)) return pos;
  return text.size();
}

Set Preference(std::string_view text, size_t pos) {
  for (; pos < text.size(); ++pos) {
    unsigned char c = Low(At(text, pos));
    if (c < 32) return Set::A;
    if (c >= 96) return Set::B;
  }
  return Set::B;
}

bool CanEncode(Set set, unsigned char c) {
  c = Low(c);
  return set == Set::A ? c < 96 : c >= 32;
}

int ValueIn(Set set, unsigned char c) {
  c = Low(c);
  if (set == Set::A && c < 32) return c + 64;
  return c - 32;
}

int Fnc4In(Set set) { return set == Set::A ? kCode128CodeA : kCode128CodeB; }
Set Other(Set set) { return set == Set::A ? Set::B : Set::A; }

}  // namespace

std::vector<int> Code128Values(std::string_view text, bool ean128) {
  // Every symbol holds at most two characters (a digit pair).
  if (text.empty() || text.size() > 2 * kCode128MaxSymbols) return {};
  const size_t maxData = kCode128MaxSymbols - 2;  // room for check and stop

  std::vector<int> values;
  Set set;
  if (DigitRunAt(text, 0)) {
    set = Set::C;
    values.push_back(kCode128StartC);
  } else {
    set = Preference(text, 0);
    values.push_back(set == Set::A ? kCode128StartA : kCode128StartB);
  }
  if (ean128) values.push_back(kCode128Fnc1);

  size_t pos = 0;
  while (pos < text.size() && values.size() <= maxData) {
    if (DigitRunAt(text, pos)) {
      if (set != Set::C) values.push_back(kCode128CodeC);
      set = Set::C;
      while (pos + 1 < text.size() && IsDigit(At(text, pos)) && IsDigit(At(text, pos + 1))) {
        values.push_back((At(text, pos) - '0') * 10 + (At(text, pos + 1) - '0'));
        pos += 2;
      }
      continue;
    }
    // No run starts here, so at least this character lies before the next.
    const size_t nextRun = NextDigitRun(text, pos);
    Set wanted = Preference(text, pos);
    if (set != wanted) values.push_back(wanted == Set::A ? kCode128CodeA : kCode128CodeB);
    set = wanted;
    while (pos < nextRun && values.size() <= maxData) {
      unsigned char c = At(text, pos);
      if (CanEncode(set, c)) {
        if (c > 127) values.push_back(Fnc4In(set));
        values.push_back(ValueIn(set, c));
      } else if (Preference(text, pos + 1) == set) {
        if (c > 127) values.push_back(Fnc4In(set));
        values.push_back(kCode128Shift);
        values.push_back(ValueIn(Other(set), c));
      } else {
        break;  // the outer loop switches sets for this character
      }
      ++pos;
    }
  }
  if (values.size() > maxData) return {};

  // ISO/IEC 15417, 4.3.2: weighted sum modulo 103, the start weighted 1.
  long sum = values[0];
  for (size_t i = 1; i < values.size(); ++i) sum += static_cast<long>(i) * values[i];
  values.push_back(static_cast<int>(sum % 103));
  values.push_back(kCode128Stop);
  return values;
}

BarElements Code128Elements(const std::vector<int>& values) {
  BarElements out;
  out.reserve(values.size() * 6 + 1);
  for (int v : values) {
    if (v < 0 || v > kCode128Stop) throw std::out_of_range("Code 128 symbol value");
    AppendWidths(out, kPatterns[v]);
  }
  return out;
}

}  // namespace vemra
