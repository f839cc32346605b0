#include "capture/tone/ToneControls.h"

#include <gtest/gtest.h>

#include <string>

namespace vemra {
namespace {

const ColourPadStep& Pad(const std::string& hint) {
  for (const ColourPadStep& s : kColourPadSteps)
    if (hint == s.hint) return s;
  throw std::out_of_range(hint);
}

TEST(ColourPad, StepsStayInRangeAndResetsTouchOnlyTheirFields) {
  struct Case { const char* hint; ToneSettings from, to; };
  for (const Case& c : {
           Case{"Mer kontrast", {0, 49, 0, 0, 0}, {0, 50, 0, 0, 0}},
           Case{"Mindre ljus", {-47, 0, 0, 0, 0}, {-50, 0, 0, 0, 0}},
           Case{"Mer r\xc3\xb6tt", {0, 0, 1, 2, 3}, {0, 0, 7, -1, 0}},
           Case{"Mer gult", {0, 0, 0, 0, -48}, {0, 0, 3, 3, -50}},
           Case{"Nollst\xc3\xa4ll f\xc3\xa4rg", {5, 6, 7, 8, 9}, {5, 6, 0, 0, 0}},
           Case{"\xc3\x85terst\xc3\xa4ll kontrast och ljus", {5, 6, 7, 8, 9}, {0, 0, 7, 8, 9}},
       })
    EXPECT_EQ(StepColourPad(c.from, Pad(c.hint)), c.to) << c.hint;
  // Each colour step leaves the sum of the colour fields alone.
  for (const ColourPadStep& s : kColourPadSteps)
    EXPECT_EQ(s.delta.red + s.delta.green + s.delta.blue, 0) << s.hint;
}

TEST(ToneButtons, GreyButtonGreysAndBrightnessButtonBrightens) {
  Bitmap b(1, 1);
  b.Row(0)[0] = 50, b.Row(0)[1] = 100, b.Row(0)[2] = 200;
  ApplyToneButton(kToneButtons[12], b);  // "Gråskala"
  EXPECT_EQ(b.Row(0)[0], 124);
  ApplyToneButton(kToneButtons[2], b);  // "Ljus +": +13
  EXPECT_EQ(b.Row(0)[2], 137);
}

}  // namespace
}  // namespace vemra
