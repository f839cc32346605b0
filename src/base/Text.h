#pragma once
// Text helpers for 8-bit ANSI strings.
#include <string>
#include <string_view>
#include <vector>

namespace vemra {

// Removes every leading and trailing character with a code of 32 or less,
// as the exports do with each text argument.
std::string TrimControl(std::string_view text);

// A text argument from the host: null is empty; copied and trimmed.
std::string HostText(const char* text);

char UpperAscii(char c);
char LowerAscii(char c);
std::string UpperAscii(std::string_view text);
std::string LowerAscii(std::string_view text);
bool EqualsNoCaseAscii(std::string_view a, std::string_view b);
bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
bool EndsWithNoCaseAscii(std::string_view text, std::string_view suffix);
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
std::vector<std::string> Split(std::string_view text, char separator);

// Matches a file name against a pattern with * and ?, ignoring ASCII case,
// as the platform's wildcard listing does.
bool WildcardMatch(std::string_view pattern, std::string_view name);

}  // namespace vemra
