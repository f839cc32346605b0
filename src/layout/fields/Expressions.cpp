#include "layout/fields/Expressions.h"

#include "base/Text.h"
#include "base/AnsiCase.h"
#include "layout/fields/CheckDigits.h"
#include "layout/fields/FieldFormat.h"
#include "layout/fields/DelimitedText.h"

namespace vemra {
namespace {

constexpr std::size_t kMarkerLength = 10;  // "!!special:"
constexpr std::size_t kMaxRest = 250;

// One item, the text before its "!" (at least "xx"). What it contributes.
std::string EvaluateItem(std::string_view item, const FieldList& fields,
                         const RegionalFormats& formats) {
  auto head = LowerAscii(item.substr(0, 2));
  // The quoted part runs from the 4th character to the one before the end.
  auto quoted = [&](std::size_t open) {
    return open + 1 < item.size() ? item.substr(open + 1, item.size() - open - 2)
                                  : std::string_view();
  };
  if (head == "ft") return std::string(quoted(2));
  if (head != "kd") return {};
  if (item.size() > 2 && item[2] == '"') return FieldValue(fields, quoted(2));
  auto quote = item.find('"', 2);
  if (quote == std::string_view::npos) return {};
  return FormatFieldValue(item.substr(2, quote - 2), FieldValue(fields, quoted(quote)), formats);
}

// A call "name(inner)": the parts before and after it. The call ends at the
// first ")" after its opening, so brackets earlier in the text stay as they
// are.
struct Call {
  std::string before, inner, after;
};

bool FindCall(std::string_view text, std::string_view opening, bool ignoreCase, Call& call) {
  auto open = ignoreCase ? FindNoCase(text, opening) : text.find(opening);
  if (open == std::string_view::npos) return false;
  auto start = open + opening.size();
  auto close = text.find(')', start);
  call.before = text.substr(0, open);
  if (close == std::string_view::npos) return true;  // unclosed: the call and its rest drop
  call.inner = text.substr(start, close - start);
  call.after = text.substr(close + 1);
  return true;
}

}  // namespace

bool IsSpecialExpression(std::string_view text) {
  return EqualsNoCaseAscii(text.substr(0, kMarkerLength), "!!special:");
}

std::string EvaluateSpecial(std::string_view text, const FieldList& fields,
                            const RegionalFormats& formats) {
  std::string rest(text.size() > kMarkerLength ? text.substr(kMarkerLength) : "");
  std::string result;
  for (std::size_t bang; (bang = rest.find('!')) != std::string::npos;) {
    result += EvaluateItem(std::string_view(rest).substr(0, bang), fields, formats);
    rest = rest.substr(bang + 1, kMaxRest);
  }
  if (result.find("function_if(") != std::string::npos) return EvaluateIf(result);
  return result;
}

std::string EvaluateIf(std::string_view text) {
  Call call;
  if (!FindCall(text, "function_if(", true, call)) return std::string(text);
  std::string inner = ReplaceAll(ReplaceAll(call.inner, " then ", "|"), " else ", "|");
  std::string condition = TextBefore("|", inner);
  std::string rest = TextAfter("|", inner);
  std::string thenPart = rest, elsePart;
  if (rest.find('|') != std::string::npos) {
    thenPart = TextBefore("|", rest);
    elsePart = TextAfter("|", rest);
  }
  // The user's locale is Swedish: "ÖREBRO" equals "örebro".
  bool equal = LowerAnsi(TextBefore("=", condition)) == LowerAnsi(TextAfter("=", condition));
  return call.before + (equal ? thenPart : elsePart) + call.after;
}

std::string ApplyMod10(std::string_view text) {
  Call call;
  if (!FindCall(text, "function_mod10(", false, call)) return std::string(text);
  std::string digit = IsIntegerText(call.inner) ? CheckDigitMod10(call.inner, 1) : "";
  return call.before + digit + call.after;
}

std::string EvaluateDrawnText(std::string_view text, const FieldList& fields,
                              const RegionalFormats& formats) {
  if (IsSpecialExpression(text)) return ApplyMod10(EvaluateSpecial(text, fields, formats));
  return ApplyMod10(text);
}

}  // namespace vemra
