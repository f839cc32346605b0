#include "layout/fields/FieldFormat.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "base/Text.h"
#include "layout/fields/DateCapitals.h"
#include "layout/fields/DelimitedText.h"

namespace vemra {
namespace {

// Padding on the left to `width`: zeros after the sign of a 32-bit integer,
// spaces before anything that is not an integer, nothing for longer digit
// strings.
std::string PadLeft(std::string_view value, std::size_t width) {
  std::string text(value);
  if (text.size() >= width) return text;
  int number = 0;
  if (ToInt32(value, number)) {
    std::size_t sign = value[0] == '+' || value[0] == '-' ? 1 : 0;
    text.insert(sign, width - text.size(), '0');
  } else if (!IsIntegerText(value)) {
    text.insert(0, width - text.size(), ' ');
  }
  return text;
}

std::string CutOrPad(std::string_view value, std::int64_t length, bool keepLast) {
  std::int64_t width = length < 0 ? -length : length;
  if (width < std::int64_t(value.size())) {
    auto keep = std::size_t(width);
    return std::string(keepLast ? value.substr(value.size() - keep) : value.substr(0, keep));
  }
  return PadLeft(value, std::size_t(std::min<std::int64_t>(width, kMaxFieldWidth)));
}

bool ToPart(std::string_view text, std::int64_t& value) {
  if (text == "*") {
    value = 0;
    return true;
  }
  int number = 0;
  if (!ToInt32(text, number)) return false;
  value = number;
  return true;
}

std::string Reversed(std::string_view text) { return std::string(text.rbegin(), text.rend()); }

std::string FormatRange(std::string_view format, std::string_view value) {
  auto comma = format.find(',');
  auto amp = format.find('&', comma);
  std::string_view fromText = format.substr(0, comma);
  std::string_view countText = format.substr(comma + 1, amp == format.npos ? amp : amp - comma - 1);
  std::int64_t from = 0, count = 0;
  if (!ToPart(fromText, from) || !ToPart(countText, count)) return std::string(value);
  bool reverse = false;
  if (from < 0 || count < 0) {
    from = std::llabs(from);
    count = std::llabs(count);
    reverse = from != 0;
  }
  if (from + count == 0) return std::string(value);
  std::string text = reverse ? Reversed(value) : std::string(value);
  if (from != 0) {
    std::size_t start = std::size_t(std::min<std::int64_t>(from - 1, std::int64_t(text.size())));
    text = count == 0 ? text.substr(start) : text.substr(start, std::size_t(count));
  } else {
    text = CutOrPad(text, count, true);
  }
  if (reverse) text = Reversed(text);
  if (amp != format.npos) {
    std::string_view replace = format.substr(amp + 1);
    auto split = replace.find(',');
    text = ReplaceAll(text, replace.substr(0, split),
                      split == replace.npos ? std::string_view() : replace.substr(split + 1));
  }
  return text;
}

}  // namespace

std::string FormatDateField(std::string_view fmt, std::string_view value,
                            const RegionalFormats& formats) {
  auto when = ParseIsoDate(value);
  if (!when) return {};
  std::string written = EqualsNoCaseAscii(fmt, "long") ? "dddddd" : std::string(fmt);
  std::string text = FormatDateTime(LowerAscii(written), *when, formats);
  return CapitaliseDateNames(text, written, *when, formats);
}

std::string FormatFieldValue(std::string_view format, std::string_view value,
                             const RegionalFormats& formats) {
  if (format.empty()) return std::string(value);
  if (EqualsNoCaseAscii(format.substr(0, 5), "Date|"))
    return FormatDateField(TextAfter("|", format), value, formats);
  if (format.find(',') != format.npos) return FormatRange(format, value);
  int length = 0;
  if (!ToInt32(format, length)) return std::string(value);
  return CutOrPad(value, length, length < 0);
}

}  // namespace vemra
