#pragma once
// Checks of a layout's records read as text: types and keys, numbers and
// their ranges, the fields the records name and the expressions they hold.
#include <optional>
#include <string>
#include <string_view>

#include "CardFiles.h"
#include "base/RegionalFormats.h"
#include "layout/fields/FieldValues.h"

namespace vemra {

// Every record of `side`; `fields` is the list the card is filled with.
void CheckRecords(const LayoutSide& side, const FieldList& fields, const RegionalFormats& formats,
                  Problems& problems);

// Why an expression text does not parse ("!!special:" items, function_if(,
// function_mod10(), or nullopt. `fields` fill it as the renderer would.
std::optional<std::string> ExpressionFault(std::string_view text, const FieldList& fields,
                                           const RegionalFormats& formats);

}  // namespace vemra
