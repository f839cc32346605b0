#pragma once
// The common open-file dialog for pictures.
#include <windows.h>

#include <optional>
#include <string>

namespace vemra {

// `filter` as "Name|*.a;*.b|Name|*.c"; the chosen path in the ANSI code
// page, or nothing when cancelled. Leaves the process's current folder.
std::optional<std::string> ChoosePictureFile(HWND owner, const std::string& filter);

}  // namespace vemra
