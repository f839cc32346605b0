#include "layout/fields/ObjectTexts.h"

#include <algorithm>

#include "base/Text.h"
#include "layout/fields/Expressions.h"
#include "layout/fields/FieldFormat.h"
#include "layout/fields/LayoutValues.h"
#include "layout/fields/DelimitedText.h"

namespace vemra {

std::string MemoPrefixOf(std::string_view name) {
  std::string head = LowerAscii(name.substr(0, 6));
  return head == "memokd" || head == "memopd" ? head : std::string();
}

std::vector<std::string> MemoLines(const FieldList& fields, std::string_view prefix) {
  std::vector<std::string> lines;
  for (int k = 1; k <= kMaxMemoLines; ++k) {
    std::string value = FieldValue(fields, std::string(prefix) + std::to_string(k));
    if (value == "***") break;
    lines.push_back(std::move(value));
  }
  return lines;
}

std::string JoinMemoLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) {
    if (line.empty()) continue;
    if (!text.empty()) text += "\r\n";
    text += line;
  }
  return text;
}

DataText DataTextOf(std::string_view dat, const FieldList& fields,
                    const RegionalFormats& formats) {
  std::string format = DbFormatOf(dat);
  if (!format.empty()) dat = dat.substr(0, dat.find("[DB]") + 4);
  std::string name = StripDbMarker(dat);
  DataText text;
  if (std::string prefix = MemoPrefixOf(name); !prefix.empty()) {
    text.memo = true;
    text.lines = MemoLines(fields, prefix);
  } else {
    text.lines.push_back(FormatFieldValue(format, FieldValue(fields, name), formats));
  }
  return text;
}

DataText DrawnTextOf(std::string_view record, const FieldList& fields,
                     const RegionalFormats& formats) {
  std::string type = GetLayoutValue("typ", record);
  std::string dat = GetLayoutValue("dat", record);
  DataText text;
  if (type == "dtx") text = DataTextOf(dat, fields, formats);
  else if (type == "ftx") text.lines.push_back(dat);
  for (auto& line : text.lines) line = EvaluateDrawnText(line, fields, formats);
  return text;
}

std::string DataPictureName(std::string_view dat, const FieldList& fields,
                            const RegionalFormats& formats) {
  if (IsSpecialExpression(dat)) return EvaluateSpecial(dat, fields, formats);
  int length = DbLengthOf(dat);
  std::string value = FieldValue(fields, dat.substr(0, FindNoCase(dat, "[DB]")));
  if (length < 0) return value;
  if (value.size() > std::size_t(length)) return value.substr(0, std::size_t(length));
  std::size_t width = std::size_t(std::min(length, kMaxFieldWidth));
  if (IsIntegerText(value) && value.size() < width) value.insert(0, width - value.size(), '0');
  return value;
}

bool FieldIsSet(std::string_view record, const FieldList& fields) {
  std::string dbl = GetLayoutValue("dbl", record);
  return dbl.empty() || !FieldValue(fields, StripDbMarker(dbl)).empty();
}

}  // namespace vemra
