#include "layout/fields/FieldValues.h"

#include "base/Text.h"
#include "layout/file/LayoutLines.h"
#include "layout/fields/DelimitedText.h"

namespace vemra {

void FieldList::Add(std::string_view name, std::string_view value) {
  std::string line(name);
  line += '\t';
  line.append(value);
  lines_.push_back(std::move(line));
}

void FieldList::LoadFromText(std::string_view text) { lines_ = SplitTextLines(text); }

std::string FieldValue(const FieldList& fields, std::string_view name) {
  const std::string* found = nullptr;
  std::string_view value;
  for (const auto& line : fields.Lines()) {
    // A line without a TAB has an empty name and value.
    auto tab = line.find('\t');
    std::string_view lineName =
        tab == std::string::npos ? std::string_view() : std::string_view(line).substr(0, tab);
    if (!EqualsNoCaseAscii(lineName, name)) continue;
    found = &line;
    value = tab == std::string::npos ? std::string_view() : std::string_view(line).substr(tab + 1);
  }
  if (!found || value == name) return {};
  return std::string(value);
}

std::string StripDbMarker(std::string_view text) {
  std::string out;
  std::size_t pos = 0;
  for (std::size_t hit; (hit = FindNoCase(text, "[DB]", pos)) != std::string_view::npos;
       pos = hit + 4)
    out.append(text.substr(pos, hit - pos));
  return out.append(text.substr(pos));
}

std::string DbFormatOf(std::string_view text) {
  auto pos = text.find("[DB]");
  return pos == std::string_view::npos ? std::string() : std::string(text.substr(pos + 4));
}

int DbLengthOf(std::string_view text) {
  int length = 0;
  return ToInt32(DbFormatOf(text), length) ? length : -1;
}

}  // namespace vemra
