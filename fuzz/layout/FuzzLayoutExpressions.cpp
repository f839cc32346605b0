// Field values and layout texts from outside: the field list before the
// first NUL, a record's dat after it, a format after the next.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/FormatDateTime.h"
#include "layout/fields/Expressions.h"
#include "layout/fields/FieldFormat.h"
#include "layout/fields/ObjectTexts.h"

using namespace vemra;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  auto cut = [&input]() {
    auto nul = input.find('\0');
    auto part = input.substr(0, nul);
    input = nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);
    return part;
  };
  FieldList fields;
  fields.LoadFromText(cut());
  std::string_view dat = cut();
  std::string_view format = input;
  static const SwedishFormats formats;

  for (const auto& line : DataTextOf(dat, fields, formats).lines)
    EvaluateDrawnText(line, fields, formats);
  EvaluateDrawnText(dat, fields, formats);
  EvaluateIf(dat);
  DataPictureName(dat, fields, formats);
  FieldIsSet(dat, fields);
  FormatFieldValue(format, dat, formats);
  FormatDateTime(format, {2024, 3, 5, 9, 7, 4}, formats);
  return 0;
}
