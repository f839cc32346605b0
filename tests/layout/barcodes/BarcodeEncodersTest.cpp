#include <gtest/gtest.h>

#include <string>

#include "layout/barcodes/Code128.h"
#include "layout/barcodes/Code39.h"
#include "layout/barcodes/Interleaved2of5.h"
#include "layout/barcodes/Plessey.h"

namespace vemra {

void PrintTo(const BarElement& e, std::ostream* os) { *os << (e.bar ? 'B' : 'S') << int(e.width); }

namespace {

// Elements from a pattern of n (narrow) and w (wide), bar first.
BarElements NW(std::string_view pattern, uint8_t narrow, uint8_t wide, bool barFirst = true) {
  BarElements out;
  bool bar = barFirst;
  for (char c : pattern) {
    out.push_back({bar, c == 'w' ? wide : narrow});
    bar = !bar;
  }
  return out;
}

BarElements operator+(BarElements a, const BarElements& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// --- Code 39: characters from ISO/IEC 16388 Table 1 -----------------------

BarElements C39(std::string_view pattern) {
  return NW(pattern, kCode39Narrow, kCode39Wide) + BarElements{{false, kCode39Narrow}};
}
const BarElements kC39Star = C39("nwnnwnwnn");
const BarElements kC39A = C39("wnnnnwnnw");
const BarElements kC39One = C39("wnnwnnnnw");
const BarElements kC39Dash = C39("nwnnnnwnw");
const BarElements kC39Unknown = C39("nnnnnnnnn");

TEST(Code39, FramesUpperCasedTextInStarsAndDrawsUnknownCharactersNarrow) {
  struct Case { std::string text; BarElements expected; } cases[] = {
      {"A1-", kC39Star + kC39A + kC39One + kC39Dash + kC39Star},
      {"a", kC39Star + kC39A + kC39Star},
      {"", kC39Star + kC39Star},
      // "*" inside the data would read as a stop; ö and # have no pattern.
      {"A*1", kC39Star + kC39A + kC39Unknown + kC39One + kC39Star},
      {"\xf6#", kC39Star + kC39Unknown + kC39Unknown + kC39Star},
      {std::string("A\0", 2), kC39Star + kC39A + kC39Unknown + kC39Star},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeCode39(c.text), c.expected) << c.text;
}

TEST(Code39, KnownCharactersFill29UnitsEach) {
  // The object's length is 29 units per character plus 116, of which
  // 2 x 29 are the margins: the symbol must fill the rest exactly.
  std::string text = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
  EXPECT_EQ(TotalWidth(EncodeCode39(text)), 29 * static_cast<int>(text.size()) + 116 - 2 * kCode39Margin);
}

// --- Interleaved 2 of 5: digits from ISO/IEC 16390 Table 1 ---------------

const char* const kI25Digit[10] = {"nnwwn", "wnnnw", "nwnnw", "wwnnn", "nnwnw",
                                   "wnwnn", "nwwnn", "nnnww", "wnnwn", "nwnwn"};
const BarElements kI25Start = NW("nnnn", kI2of5Narrow, kI2of5Wide);
const BarElements kI25Stop = NW("wnn", kI2of5Narrow, kI2of5Wide);

// A digit pair: the first digit's widths in the bars, the second's in the spaces.
BarElements I25Pair(int bars, int spaces) {
  std::string merged;
  for (int k = 0; k < 5; ++k) merged += {kI25Digit[bars][k], kI25Digit[spaces][k]};
  return NW(merged, kI2of5Narrow, kI2of5Wide);
}

TEST(Interleaved2of5, PadsOddLengthsAndInterleavesPairs) {
  struct Case { std::string text; BarElements expected; } cases[] = {
      {"12-345", kI25Start + I25Pair(0, 1) + I25Pair(2, 3) + I25Pair(4, 5) + kI25Stop},
      {"7", kI25Start + I25Pair(0, 7) + kI25Stop},
      {"98", kI25Start + I25Pair(9, 8) + kI25Stop},
      {"", kI25Start + kI25Stop},
  };
  for (const auto& c : cases) EXPECT_EQ(EncodeInterleaved2of5(c.text), c.expected) << c.text;
  EXPECT_EQ(Interleaved2of5Digits("A1 2-3\xbd"), "123");
}

// --- Plessey ---------------------------------------------------------------

// A bit is a bar and two spaces: 1 wide, narrow, narrow; 0 narrow, wide, narrow.
BarElements PlesseyBit(bool one) {
  return {{true, one ? kPlesseyWide : kPlesseyNarrow},
          {false, one ? kPlesseyNarrow : kPlesseyWide},
          {false, kPlesseyNarrow}};
}
BarElements PlesseyBits(bool b0, bool b1, bool b2, bool b3) {
  return PlesseyBit(b0) + PlesseyBit(b1) + PlesseyBit(b2) + PlesseyBit(b3);
}

TEST(Plessey, StartsWithBThenNibblesLeastSignificantBitFirstThenTerminates) {
  const BarElements start = PlesseyBits(1, 1, 0, 1);
  const BarElements termination = {
      {true, 7}, {true, 7}, {false, 7}, {false, 2}, {true, 2}, {false, 7}, {false, 2}, {true, 2},
      {false, 2}, {false, 2}, {true, 7}, {false, 2}, {false, 2}, {true, 7}, {false, 7}, {false, 2}};
  const BarElements one = PlesseyBits(1, 0, 0, 0);
  const BarElements a = PlesseyBits(0, 1, 0, 1);
  const BarElements c = PlesseyBits(0, 0, 1, 1);
  const BarElements zero = PlesseyBits(0, 0, 0, 0);
  struct Case { std::string text; BarElements expected; } cases[] = {
      {"1A", start + one + a + termination},
      {"1a", start + one + a + termination},
      {"cG", start + c + zero + termination},  // G is no hex digit: 0
      {"", start + termination},
  };
  for (const auto& k : cases) EXPECT_EQ(EncodePlessey(k.text), k.expected) << k.text;
}

// --- Code 128: values and patterns from ISO/IEC 15417 Table 1 -------------
// Check symbols are worked out by hand: (start + sum of position x value) mod 103.

TEST(Code128, ChoosesSetsByTheSelectionRules) {
  struct Case { const char* name; std::string text; bool ean; std::vector<int> values; } cases[] = {
      // 105 + 12 + 2*34 + 3*100 + 4*21 = 569 = 5*103 + 54
      {"odd digit run ends in B", "12345", false, {105, 12, 34, 100, 21, 54, 106}},
      {"letters start B", "AB", false, {104, 33, 34, 102, 106}},
      {"run then letters", "1234AB", false, {105, 12, 34, 100, 33, 34, 66, 106}},
      {"EAN-128 FNC1 after start", "0012", true, {105, 102, 0, 12, 37, 106}},
      {"three digits are no run", "123", false, {104, 17, 18, 19, 8, 106}},
      {"run inside letters", "A1234B", false, {104, 33, 99, 12, 34, 100, 34, 78, 106}},
      {"control first starts A", "\tA", false, {103, 73, 33, 36, 106}},
      {"SHIFT to A inside B", "a\tb", false, {104, 65, 98, 73, 66, 24, 106}},
      {"switch to A when A stays", "a\t\t", false, {104, 65, 101, 73, 73, 58, 106}},
      {"SHIFT to B inside A", "\ta\t", false, {103, 73, 98, 65, 73, 35, 106}},
      {"DEL is the last of B", "\x7f", false, {104, 95, 96, 106}},
      // Above 127: FNC4 (100 in B), then the character 128 lower, 'e'.
      {"FNC4 for a", "\xe5", false, {104, 100, 69, 33, 106}},
  };
  for (const auto& c : cases) EXPECT_EQ(Code128Values(c.text, c.ean), c.values) << c.name;
}

TEST(Code128, RefusesTextsBeyondTheSymbolBound) {
  // 256 symbols in all: start, 253 letters, check, stop.
  EXPECT_EQ(Code128Values(std::string(253, 'A'), false).size(), 256u);
  EXPECT_TRUE(Code128Values(std::string(254, 'A'), false).empty());
  EXPECT_EQ(Code128Values(std::string(506, '0'), false).size(), 256u);
  EXPECT_TRUE(Code128Values(std::string(508, '0'), false).empty());
  EXPECT_TRUE(Code128Values(std::string(1 << 22, 'x'), true).empty());
  EXPECT_TRUE(Code128Values("", false).empty());
  EXPECT_TRUE(EncodeCode128("", false).empty());
}

BarElements P(std::string_view widths) {
  BarElements out;
  AppendWidths(out, widths);
  return out;
}
const BarElements kStartC = P("211232"), kStartB = P("211214"), kCodeB = P("114131");
const BarElements kFnc1 = P("411131"), kStop = P("2331112");

TEST(Code128, DrawsEachValueAsItsSixElements) {
  // "12345": Start C, 12, 34, Code B, "5" (21), check 54, stop.
  EXPECT_EQ(EncodeCode128("12345", false),
            kStartC + P("112232") + P("131123") + kCodeB + P("213212") + P("311123") + kStop);
  // EAN-128 "0012": Start C, FNC1, 00, 12, check 37, stop.
  EXPECT_EQ(EncodeCode128("0012", true),
            kStartC + kFnc1 + P("212222") + P("112232") + P("132113") + kStop);
  EXPECT_EQ(EncodeCode128("AB", false), kStartB + P("111323") + P("131123") + P("411131") + kStop);
  EXPECT_THROW(Code128Elements({107}), std::out_of_range);
}

}  // namespace
}  // namespace vemra
