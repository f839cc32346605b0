#pragma once
// Our Swedish literals are UTF-8 in source; what crosses the boundary
// (exports, settings, layouts, field lists) is Windows-1252.
#include <string>
#include <string_view>

namespace vemra {

// UTF-8 to Windows-1252; characters it lacks become '?'.
std::string Ansi(std::string_view utf8);
// Windows-1252 to UTF-8.
std::string Utf8(std::string_view ansi);

}  // namespace vemra
