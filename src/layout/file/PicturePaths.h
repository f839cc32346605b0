#pragma once
// Where the picture files named in layout records are looked for.
#include <optional>
#include <string>
#include <string_view>

#include "base/FileSystem.h"

namespace vemra {

// Relative names ("..\", "\", "..") start from hostFolder (with its "\");
// network paths and other names are kept.
std::string ResolveLayoutPath(std::string_view name, std::string_view hostFolder);

// The name as it is, else the resolved name as it is, under "dblogo\",
// under "logo\" and under hostFolder; a name without extension tries
// .jpg .jpeg .bmp .wmf .emf at each of those places before the next.
std::optional<std::string> FindPictureFile(std::string_view name, std::string_view hostFolder,
                                           const FileSystem& files);

}  // namespace vemra
