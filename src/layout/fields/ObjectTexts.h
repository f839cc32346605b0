#pragma once
// What the text and data-picture records of a layout take from the fields.
#include <string>
#include <string_view>
#include <vector>

#include "base/RegionalFormats.h"
#include "layout/fields/FieldValues.h"

namespace vemra {

constexpr int kMaxMemoLines = 256;

// A field name starting with "memokd" or "memopd" in any case: the memo's
// field prefix in lower case, else empty.
std::string MemoPrefixOf(std::string_view name);

// Lines 0.. of a memo, read from prefix1, prefix2, ... up to the first
// "***" or line 256. An empty field keeps its (empty) line.
std::vector<std::string> MemoLines(const FieldList& fields, std::string_view prefix);
// The non-empty lines joined with CR LF, as a group of texts measures them.
std::string JoinMemoLines(const std::vector<std::string>& lines);

// The text of a data-text record before expressions are applied: one line,
// or a memo's lines (`memo` set). Empty lines draw nothing.
struct DataText {
  bool memo = false;
  std::vector<std::string> lines;
};
DataText DataTextOf(std::string_view dat, const FieldList& fields,
                    const RegionalFormats& formats);

// What an "ftx" or "dtx" record draws: its dat, or the field it names, with
// expressions and check digits evaluated on every line. Other types draw no
// text.
DataText DrawnTextOf(std::string_view record, const FieldList& fields,
                     const RegionalFormats& formats);

// The picture name a "DB" data picture's dat stands for (before the file
// lookup).
std::string DataPictureName(std::string_view dat, const FieldList& fields,
                            const RegionalFormats& formats);

// The dbl visibility test: drawn when the record has no dbl, or when the
// field it names has a value.
bool FieldIsSet(std::string_view record, const FieldList& fields);

}  // namespace vemra
