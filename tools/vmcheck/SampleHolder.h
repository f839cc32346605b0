#pragma once
// The field list a card is checked with: what a print request fills for a
// sample holder, or the lines of a fields file.
#include <string>

#include "base/FileSystem.h"
#include "base/RegionalFormats.h"
#include "layout/fields/FieldValues.h"

namespace vemra {

// The print request's field lines for a sample holder, with the
// municipality and settings of "VemraSDK.ini" in `dataFolder` (a sample
// municipality when it has none). The older card ("ortex.cpb") gets its
// own date format, as the request gives it.
void FillSampleHolder(FieldList& fields, const std::string& dataFolder,
                      const std::string& layoutName, const FileSystem& files,
                      const RegionalFormats& regional);

// Lines of name, TAB and value; false when the file cannot be read.
bool LoadFieldsFile(const std::string& path, FieldList& fields);

// Whether some line of the list has this name (A-Z folded, as FieldValue
// matches), whatever its value.
bool HasField(const FieldList& fields, std::string_view name);

}  // namespace vemra
