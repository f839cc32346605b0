#include <gtest/gtest.h>

#include "base/Cp1252.h"
#include "layout/fields/CheckDigits.h"
#include "layout/fields/Expressions.h"
#include "layout/fields/DelimitedText.h"

namespace vemra {
namespace {

const SwedishFormats kSwedish;

FieldList TestFields() {
  FieldList fields;
  fields.Add("giltigttom", "2024-03-05");
  fields.Add("kon", "Man");
  fields.Add("nr", "7992739871");
  fields.Add("uttryck", "!!special:ft\"x\"!");
  return fields;
}

TEST(DelimitedText, SearchIgnoringCaseAndGiveEmptyWithoutDelimiter) {
  EXPECT_EQ(TextBefore("X", "abxcd"), "ab");
  EXPECT_EQ(TextAfter("X", "abxcdx"), "cdx");
  EXPECT_EQ(TextBefore("|", "abc"), "");
  EXPECT_EQ(TextAfter("|", "abc"), "");
  for (const char* yes : {"0", "+12", "-007"}) EXPECT_TRUE(IsIntegerText(yes)) << yes;
  for (const char* no : {"", "+", "-", "1-", "1.0", " 1", "12a"}) EXPECT_FALSE(IsIntegerText(no)) << no;
}

TEST(EvaluateSpecial, JoinsItems) {
  auto fields = TestFields();
  struct Case { const char* text; const char* result; } cases[] = {
      {"!!special:ft\"Giltig till \"!kd\"giltigttom\"!", "Giltig till 2024-03-05"},
      {"!!SPECIAL:FT\"a\"!KD\"kon\"!", "aMan"},
      {"!!special:kdDate|d Mmmm yyyy\"giltigttom\"!", "5 Mars 2024"},
      {"!!special:kd5\"nr\"!", "79927"},
      {"!!special:xx\"a\"!ft\"b\"!", "b"},
      {"!!special:ft\"a\"", ""},           // an item needs its "!"
      {"!!special:kd\"uttryck\"!", "!!special:ft\"x\"!"},  // values are not evaluated again
      {"!!special:ft!f!!kd!kd5!kd\"!", ""},
      {"!!format", ""},
      {"!!special:ft\"function_if(\"!kd\"kon\"!ft\"=man then Herr else Fru)\"!", "Herr"},
  };
  for (const auto& c : cases) EXPECT_EQ(EvaluateSpecial(c.text, fields, kSwedish), c.result) << c.text;
}

TEST(EvaluateSpecial, CutsTheRestOfALongExpression) {
  std::string text = "!!special:ft\"a\"!" + std::string(300, 'x') + "!ft\"b\"!";
  EXPECT_EQ(EvaluateSpecial(text, TestFields(), kSwedish), "a");
}

TEST(EvaluateIf, ChoosesThenOrElse) {
  struct Case { std::string text; const char* result; } cases[] = {
      {"function_if(Man=man then Herr else Fru)", "Herr"},
      {"function_if(Kvinna=man then Herr else Fru)", "Fru"},
      {Ansi("function_if(ÖREBRO=örebro then Ja else Nej)"), "Ja"},
      {Ansi("function_if(Åsa=åsa then Ja else Nej)"), "Ja"},
      {Ansi("function_if(Åsa=Asa then Ja else Nej)"), "Nej"},
      {"function_if(a=b then X)", ""},
      {"Till: function_if(a=a then X) nu", "Till: X nu"},
      {"(obs) function_if(a=a then X)!", "(obs) X!"},  // an earlier ")" is no end
      {"FUNCTION_IF(a=a then X)", "X"},
      {"function_if(a then X)", "X"},                    // no "=": two empty sides
      {"function_if(a=a then X", ""},
      {"function_if(a=a then X) function_if(b=c then Y else Z)", "X function_if(b=c then Y else Z)"},
      {"no call", "no call"},
  };
  for (const auto& c : cases) EXPECT_EQ(EvaluateIf(c.text), c.result) << c.text;
}

TEST(ApplyMod10, ReplacesTheCallByItsCheckDigit) {
  struct Case { const char* text; const char* result; } cases[] = {
      {"function_mod10(7992739871)", "3"},
      {"Nr 7992739871-function_mod10(7992739871).", "Nr 7992739871-3."},
      {"function_mod10(12A)", ""},
      {"function_mod10()", ""},
      {"(x) function_mod10(0)", "(x) 0"},
      {"Function_mod10(18)", "Function_mod10(18)"},
      {"function_mod10(5", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ApplyMod10(c.text), c.result) << c.text;
}

TEST(CheckDigitMod10, FollowsEachVariant) {
  struct Case { const char* digits; int variant; const char* digit; } cases[] = {
      {"7992739871", 1, "3"},
      {"7992739871", -5, "3"},
      {"400638133393", 2, "1"},
      {"590123412345", 2, "7"},  // EAN-13 5901234123457
      {"59", 1, "6"},
      {"59", 3, "7"},            // 9 x 2 = 18 is not reduced as in Luhn
      {"", 1, ""},
      {"12a", 1, ""},
      {"0", 1, "0"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CheckDigitMod10(c.digits, c.variant), c.digit) << c.digits << " v" << c.variant;
}

}  // namespace
}  // namespace vemra
