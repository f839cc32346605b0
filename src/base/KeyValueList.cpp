#include "base/KeyValueList.h"

#include <charconv>

#include "base/AnsiCase.h"

namespace vemra {

KeyValueList KeyValueList::Parse(std::string_view text) {
  KeyValueList list;
  while (!text.empty()) {
    const std::size_t tab = text.find('\t');
    const std::string_view entry = text.substr(0, tab);
    text = tab == std::string_view::npos ? std::string_view() : text.substr(tab + 1);
    const std::size_t equals = entry.find('=');
    if (equals == std::string_view::npos) continue;
    list.entries_.push_back({std::string(entry.substr(0, equals)),
                             std::string(entry.substr(equals + 1))});
  }
  return list;
}

std::string KeyValueList::Text() const {
  std::string text;
  for (const Entry& e : entries_) {
    text += e.key;
    text += '=';
    text += e.value;
    text += '\t';
  }
  return text;
}

bool KeyValueList::Has(std::string_view key) const { return Find(key).has_value(); }

std::optional<std::string> KeyValueList::Find(std::string_view key) const {
  for (const Entry& e : entries_)
    if (EqualsNoCaseAnsi(e.key, key)) return e.value;
  return std::nullopt;
}

std::string KeyValueList::Value(std::string_view key, std::string_view fallback) const {
  std::optional<std::string> value = Find(key);
  return value ? *value : std::string(fallback);
}

std::optional<int> KeyValueList::IntValue(std::string_view key) const {
  std::optional<std::string> value = Find(key);
  if (!value) return std::nullopt;
  std::string_view digits = *value;
  while (!digits.empty() && (digits.front() == ' ' || digits.front() == '\t')) digits.remove_prefix(1);
  while (!digits.empty() && (digits.back() == ' ' || digits.back() == '\t')) digits.remove_suffix(1);
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  int number = 0;
  const char* end = digits.data() + digits.size();
  auto [stop, error] = std::from_chars(digits.data(), end, number);
  if (digits.empty() || error != std::errc() || stop != end) return std::nullopt;
  return number;
}

void KeyValueList::Set(std::string_view key, std::string_view value) {
  for (Entry& e : entries_)
    if (EqualsNoCaseAnsi(e.key, key)) {
      e.value = std::string(value);
      return;
    }
  entries_.push_back({std::string(key), std::string(value)});
}

void KeyValueList::Set(std::string_view key, int value) { Set(key, std::to_string(value)); }

void KeyValueList::Remove(std::string_view key) {
  std::erase_if(entries_, [&](const Entry& e) { return EqualsNoCaseAnsi(e.key, key); });
}

}  // namespace vemra
