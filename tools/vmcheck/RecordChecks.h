#pragma once
// Checks of a layout's records read as text: types and keys, numbers and
// their ranges, the fields the records name and the expressions they hold.
#include <string>
#include <string_view>

#include "CardFiles.h"
#include "base/RegionalFormats.h"
#include "layout/fields/FieldValues.h"

namespace vemra {

// Every record of `side`; `fields` is the list the card is filled with.
void CheckRecords(const LayoutSide& side, const FieldList& fields, const RegionalFormats& formats,
                  Problems& problems);

}  // namespace vemra
