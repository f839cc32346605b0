#include "sdk/SettingsFile.h"

#include <algorithm>
#include <stdexcept>

#include "base/Numbers.h"
#include "base/Text.h"

namespace vemra {
namespace {

// Case folding of Windows-1252 letters, as a locale-aware comparison does.
char FoldAnsi(char c) {
  auto u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return char(u + 32);
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return char(u + 32);
  return c;
}

bool EqualsNoCaseAnsi(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char x, char y) { return FoldAnsi(x) == FoldAnsi(y); });
}

}  // namespace

void Lynini::IniOpen(const std::string& path) {
  if (!file_) file_ = opener_(path);
}

void Lynini::IniClose() { file_.reset(); }

void Lynini::IniCommit() { File().Commit(); }

ProfileFile& Lynini::File() const {
  if (!file_) throw std::logic_error("settings file read or written while not open");
  return *file_;
}

std::string Lynini::IniReadString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue) {
  recordedDefaults_.push_back(section + key + "=" + defaultValue);
  return File().Read(section, key).value_or(defaultValue);
}

std::int32_t Lynini::ReadInteger(const std::string& section, const std::string& key,
                                 std::int32_t defaultValue) const {
  auto text = File().Read(section, key);
  if (!text) return defaultValue;
  return ParseIntegerText(*text).value_or(defaultValue);
}

std::int32_t Lynini::IniReadInteger(const std::string& section, const std::string& key,
                                    std::int32_t defaultValue) {
  recordedDefaults_.push_back(section + key + "=" + std::to_string(defaultValue));
  return ReadInteger(section, key, defaultValue);
}

bool Lynini::IniReadBool(const std::string& section, const std::string& key,
                         bool defaultValue) {
  recordedDefaults_.push_back(section + key + (defaultValue ? "=1" : "=0"));
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool Lynini::IsRecordedDefault(const std::string& line) const {
  return std::any_of(recordedDefaults_.begin(), recordedDefaults_.end(),
                     [&](const std::string& d) { return EqualsNoCaseAnsi(d, line); });
}

void Lynini::IniWriteString(const std::string& section, const std::string& key,
                            const std::string& value) {
  ProfileFile& file = File();
  if (!IsRecordedDefault(section + key + "=" + value)) {
    file.Write(section, key, value);
  } else if (file.Read(section, key)) {
    file.Remove(section, key);
  }
}

void Lynini::IniWriteStringKeepingStored(const std::string& section, const std::string& key,
                                         const std::string& value) {
  ProfileFile& file = File();
  if (file.Read(section, key)) file.Write(section, key, value);
  else IniWriteString(section, key, value);
}

void Lynini::IniWriteInteger(const std::string& section, const std::string& key,
                             std::int32_t value) {
  IniWriteString(section, key, std::to_string(value));
}

void Lynini::IniWriteBool(const std::string& section, const std::string& key, bool value) {
  IniWriteString(section, key, value ? "1" : "0");
}

std::string EncodeLeadingSpace(const std::string& text) {
  if (text.size() >= 2 && static_cast<unsigned char>(text[0]) == 0xFE && text[1] == '"')
    return text.substr(2, text.size() - 3);
  if (!text.empty() && text[0] == ' ') return "\xfe\"" + text + "\"";
  return text;
}

std::string TabsToSemicolons(const std::string& text) {
  std::string out = text;
  std::replace(out.begin(), out.end(), '\t', ';');
  return out;
}

std::string SemicolonsToTabs(const std::string& text) {
  std::string out = text;
  std::replace(out.begin(), out.end(), ';', '\t');
  return out;
}

}  // namespace vemra
