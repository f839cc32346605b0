#include "ExpressionChecks.h"

#include "base/Text.h"
#include "layout/fields/DelimitedText.h"
#include "layout/fields/Expressions.h"

namespace vemra {
namespace {

// After each item the evaluation reads at most this much of the rest.
constexpr std::size_t kReadAfterItem = 250;

// Stands for "function_if(" while an expression is evaluated for checking.
constexpr std::string_view kKeptIf = "\x01if(";

std::string Quoted(std::string_view value) { return "\"" + std::string(value) + "\""; }

}  // namespace

std::vector<std::string> ExpressionFields(std::string_view text) {
  std::vector<std::string> names;
  if (!IsSpecialExpression(text)) return names;
  for (const std::string& item : Split(text.substr(10), '!')) {
    if (!EqualsNoCaseAscii(std::string_view(item).substr(0, 2), "kd")) continue;
    const auto open = item.find('"');
    if (open != std::string::npos && item.size() >= open + 2 && item.back() == '"')
      names.push_back(item.substr(open + 1, item.size() - open - 2));
  }
  return names;
}

std::optional<std::string> ExpressionFault(std::string_view text, const FieldList& fields,
                                           const RegionalFormats& formats) {
  std::string evaluated(text);
  if (IsSpecialExpression(text)) {
    const std::string items(text.substr(10));
    std::size_t start = 0;
    for (std::size_t bang; (bang = items.find('!', start)) != std::string::npos; start = bang + 1) {
      const std::string item = items.substr(start, bang - start);
      const std::string head = LowerAscii(std::string_view(item).substr(0, 2));
      const auto quote = item.find('"');
      const bool quoted =
          quote != std::string::npos && item.size() >= quote + 2 && item.back() == '"';
      if (head == "ft" && (quote != 2 || !quoted))
        return "item " + Quoted(item) + " is not ft\"text\"";
      if (head == "kd" && !quoted) return "item " + Quoted(item) + " is not kd\"field\"";
      if (head != "ft" && head != "kd") return "unknown item " + Quoted(item) + " (ft or kd)";
    }
    if (start < items.size())
      return "item " + Quoted(items.substr(start)) + " is not ended by \"!\"";
    if (const auto first = items.find('!');
        first != std::string::npos && items.size() - first - 1 > kReadAfterItem)
      return "the items after the first run past the " + std::to_string(kReadAfterItem) +
             " characters read; the rest is dropped";
    // Evaluated with the conditional kept, so that its parts can be seen.
    std::string kept(text);
    for (std::size_t at; (at = FindNoCase(kept, "function_if(")) != std::string::npos;)
      kept.replace(at, 12, kKeptIf);
    evaluated = EvaluateSpecial(kept, fields, formats);
    if (const auto at = evaluated.find(kKeptIf); at != std::string::npos) {
      const auto close = evaluated.find(')', at);
      if (close == std::string::npos) return "function_if( has no closing \")\"";
      const std::string inner = evaluated.substr(at + kKeptIf.size(), close - at - kKeptIf.size());
      if (inner.find(" then ") == std::string::npos || inner.find('=') == std::string::npos)
        return "function_if( needs \"left=right then a else b\"";
    }
  }
  if (const auto at = evaluated.find("function_mod10(");
      at != std::string::npos && evaluated.find(')', at) == std::string::npos)
    return "function_mod10( has no closing \")\"";
  return std::nullopt;
}

}  // namespace vemra
