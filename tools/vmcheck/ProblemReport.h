#pragma once
// The checker's findings for people (one line each, numbered as in the
// proof picture) and for programs (JSON Lines).
#include <string>

#include "Problem.h"

namespace vemra {

// 0 clean, 1 warnings only, 2 with errors.
int ExitCodeOf(const Problems& problems);

// "[1] vemraeu.cpb:14 wid: warning: message" lines and a summary, UTF-8.
std::string TextReport(const Problems& problems);

// One JSON object a line, UTF-8; a problem without a box has "box":null.
std::string JsonReport(const Problems& problems);

}  // namespace vemra
