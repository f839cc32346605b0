#include "layout/barcodes/Plessey.h"

#include "base/Text.h"

namespace vemra {
namespace {

constexpr int kStartNibble = 0xB;  // bits 1, 1, 0, 1 least significant first

// Termination after the last character, element by element:
// bar/space and n narrow / w wide.
constexpr const char* kTermination[] = {
    "Bw", "Bw", "Sw", "Sn", "Bn", "Sw", "Sn", "Bn",
    "Sn", "Sn", "Bw", "Sn", "Sn", "Bw", "Sw", "Sn",
};

void AppendNibble(BarElements& out, int nibble) {
  for (int bit = 0; bit < 4; ++bit) {
    bool one = (nibble >> bit) & 1;
    out.push_back({true, one ? kPlesseyWide : kPlesseyNarrow});
    out.push_back({false, one ? kPlesseyNarrow : kPlesseyWide});
    out.push_back({false, kPlesseyNarrow});
  }
}

}  // namespace

int PlesseyNibble(char c) {
  c = UpperAscii(c);
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

BarElements EncodePlessey(std::string_view text) {
  BarElements out;
  out.reserve((text.size() + 1) * 12 + 16);
  AppendNibble(out, kStartNibble);
  for (char c : text) AppendNibble(out, PlesseyNibble(c));
  for (const char* e : kTermination)
    out.push_back({e[0] == 'B', e[1] == 'w' ? kPlesseyWide : kPlesseyNarrow});
  return out;
}

}  // namespace vemra
