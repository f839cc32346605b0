#pragma once
// Whether the expressions of layout texts parse, and which fields they read.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/RegionalFormats.h"
#include "layout/fields/FieldValues.h"

namespace vemra {

// Why an expression text does not parse ("!!special:" items, function_if(,
// function_mod10(), or nullopt. `fields` fill it as the renderer would.
std::optional<std::string> ExpressionFault(std::string_view text, const FieldList& fields,
                                           const RegionalFormats& formats);

// The fields the kd items of a "!!special:" expression read.
std::vector<std::string> ExpressionFields(std::string_view text);

}  // namespace vemra
