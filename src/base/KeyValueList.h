#pragma once
// A key/value text list: entries of a key, "=" and a value, each followed
// by a tab ("Width=200\tHeight=120\t"). Keys match without regard to case,
// Å, Ä and Ö included (Windows-1252). Carries the inspection-box
// description, plug-in answers and device lists. The settings file stores
// the tabs as ";"; that conversion belongs to the settings file, not here.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vemra {

class KeyValueList {
 public:
  struct Entry {
    std::string key;
    std::string value;
    bool operator==(const Entry&) const = default;
  };

  KeyValueList() = default;
  // Fragments without "=" and empty fragments are skipped; a value may
  // itself hold "=" (only the first one separates).
  static KeyValueList Parse(std::string_view text);
  // Every entry followed by a tab; empty for an empty list.
  std::string Text() const;

  bool Empty() const { return entries_.empty(); }
  const std::vector<Entry>& Entries() const { return entries_; }

  // The first entry with this key wins, as when the text was written by
  // hand with a key twice.
  bool Has(std::string_view key) const;
  std::optional<std::string> Find(std::string_view key) const;
  std::string Value(std::string_view key, std::string_view fallback = {}) const;
  // A whole decimal number (optional sign, surrounding blanks allowed), or
  // nothing when absent or not a number that fits an int.
  std::optional<int> IntValue(std::string_view key) const;

  // Replaces the first entry's value or appends a new entry.
  void Set(std::string_view key, std::string_view value);
  void Set(std::string_view key, int value);
  void Remove(std::string_view key);
  void Clear() { entries_.clear(); }

 private:
  std::vector<Entry> entries_;
};

}  // namespace vemra
