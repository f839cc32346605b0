#include "layout/fields/LayoutValues.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "base/Text.h"
#include "layout/fields/DelimitedText.h"

namespace vemra {
namespace {

bool IsScaledKey(std::string_view key) {
  return key == "top" || key == "lft" || key == "wid" || key == "hei" || key == "fsz";
}

std::string FormatPlainNumber(double value, char decimalSeparator) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  std::string text = buffer;
  for (char& c : text)
    if (c == '.') c = decimalSeparator;
  return text;
}

[[noreturn]] void ThrowNotANumber(std::string_view text, const char* what) {
  throw LayoutValueError("'" + std::string(text) + "' is not a valid " + what);
}

}  // namespace

std::string GetLayoutValue(std::string_view key, std::string_view record, double scale,
                           char decimalSeparator) {
  std::string fields;
  if (record.empty() || record[0] != '\t') fields = '\t';
  fields.append(record);
  std::string needle = "\t" + std::string(key);
  auto pos = fields.find(needle);
  if (pos == std::string::npos) return {};
  auto begin = pos + needle.size();
  auto end = fields.find('\t', begin);
  std::string value = fields.substr(begin, end == std::string::npos ? end : end - begin);
  if (!IsScaledKey(key) || value.empty()) return value;
  return FormatPlainNumber(ParseLayoutNumber(value) * scale, decimalSeparator);
}

std::string GetNamedLayoutValue(std::string_view name, std::string_view record) {
  return GetLayoutValue(std::string(name) + "=", record);
}

double ParseLayoutNumber(std::string_view text) {
  std::string number = TrimControl(text);
  if (number.empty()) return 0;
  for (char& c : number)
    if (c == ',') c = '.';
  std::string_view digits = number;
  if (digits[0] == '+') {
    digits.remove_prefix(1);
    if (!digits.empty() && digits[0] == '-') ThrowNotANumber(text, "number");
  }
  // from_chars alone would take "inf", "nan" and hexadecimal forms.
  for (char c : digits)
    if (!(c >= '0' && c <= '9') && c != '.' && c != '-' && c != 'e' && c != 'E' && c != '+')
      ThrowNotANumber(text, "number");
  double value = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size() || !std::isfinite(value))
    ThrowNotANumber(text, "number");
  return value;
}

int ParseLayoutInteger(std::string_view text) {
  std::string trimmed = TrimControl(text);
  int value = 0;
  if (!ToInt32(trimmed, value)) ThrowNotANumber(text, "integer");
  return value;
}

int ParseLayoutIntegerOr(std::string_view text, int fallback) {
  return TrimControl(text).empty() ? fallback : ParseLayoutInteger(text);
}

}  // namespace vemra
