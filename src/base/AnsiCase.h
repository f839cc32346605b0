#pragma once
// Case of Windows-1252 text: the ASCII letters and the accented ones (å, ä,
// ö and the rest of Latin-1, plus š, œ, ž and ÿ).
#include <string>
#include <string_view>

namespace vemra {

char UpperAnsiChar(char c);
char LowerAnsiChar(char c);
std::string UpperAnsi(std::string_view text);
std::string LowerAnsi(std::string_view text);
bool EqualsNoCaseAnsi(std::string_view a, std::string_view b);

}  // namespace vemra
