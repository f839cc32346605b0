#pragma once
// Line splitting shared by layout files and data tables.
#include <string>
#include <string_view>
#include <vector>

namespace vemra {

// Lines ended by CR LF, LF or CR; a final line break adds no empty line.
std::vector<std::string> SplitTextLines(std::string_view text);

}  // namespace vemra
