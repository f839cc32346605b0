#pragma once
// The expression language of layout texts: "!!special:" item runs,
// "function_if(" conditionals and "function_mod10(" check digits.
#include <string>
#include <string_view>

#include "base/RegionalFormats.h"
#include "layout/fields/FieldValues.h"

namespace vemra {

// True when the text starts with "!!special:" in any case.
bool IsSpecialExpression(std::string_view text);

// Items after the ten marker characters, each ended by "!":
// ft"text"! literal, kd"name"! a field, kdformat"name"! a formatted field.
// Then one function_if( is evaluated.
std::string EvaluateSpecial(std::string_view text, const FieldList& fields,
                            const RegionalFormats& formats);

// The first "function_if(cond then a else b)" replaced by a or b; cond is
// "left=right" compared ignoring ASCII case.
std::string EvaluateIf(std::string_view text);

// The first "function_mod10(digits)" replaced by the Luhn check digit of
// digits, or by nothing when they are not an integer.
std::string ApplyMod10(std::string_view text);

// What a text object draws: the expression evaluated when the text is one,
// then the check-digit function.
std::string EvaluateDrawnText(std::string_view text, const FieldList& fields,
                              const RegionalFormats& formats);

}  // namespace vemra
