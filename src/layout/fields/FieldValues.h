#pragma once
// The card's named values: ordered lines of name, TAB, value.
#include <string>
#include <string_view>
#include <vector>

namespace vemra {

class FieldList {
 public:
  void Clear() { lines_.clear(); }
  void Add(std::string_view name, std::string_view value);
  void AddLine(std::string line) { lines_.push_back(std::move(line)); }
  // Replaces the content with the lines of a data table (CR, LF or CR LF).
  void LoadFromText(std::string_view text);
  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};

// The value of the last line whose name matches, with only A-Z folded (so
// "OPERATÖR" does not find "operatör"); empty when none does or when the
// value is the name itself.
std::string FieldValue(const FieldList& fields, std::string_view name);

// Removes every "[DB]", in any case.
std::string StripDbMarker(std::string_view text);
// The text after the first "[DB]" (exact case), or empty.
std::string DbFormatOf(std::string_view text);
// The format after "[DB]" as a 32-bit integer, else -1.
int DbLengthOf(std::string_view text);

}  // namespace vemra
