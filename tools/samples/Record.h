#pragma once
// One layout record: three-letter keys and their values between TABs.
#include <string>
#include <utility>
#include <vector>

#include "base/Cp1252.h"

namespace vemra::samples {

class Record {
 public:
  explicit Record(const char* type) { Add("typ", type); }
  // Values are UTF-8 here and Windows-1252 in the file.
  Record& Add(const std::string& key, const std::string& value) {
    line_ += (line_.empty() ? "" : "\t") + key + Ansi(value);
    return *this;
  }
  Record& Box(const char* left, const char* top, const char* width, const char* height) {
    return Add("lft", left).Add("top", top).Add("wid", width).Add("hei", height);
  }
  // A longer key such as ImFx, written key=value.
  Record& Named(const std::string& key, const std::string& value) {
    line_ += "\t" + key + "=" + Ansi(value);
    return *this;
  }
  const std::string& Line() const { return line_; }

 private:
  std::string line_;
};

inline std::string LayoutText(const std::vector<Record>& records) {
  std::string text;
  for (const auto& r : records) text += r.Line() + "\r\n";
  return text;
}

// Colours as layouts write them: blue * 65536 + green * 256 + red.
inline std::string Colour(int red, int green, int blue) {
  return std::to_string(blue * 65536 + green * 256 + red);
}

}  // namespace vemra::samples
