#pragma once
// The Canon PR stand-alone program: started without parameters, it takes
// one picture and writes it as "temp.jpg" in the user's temporary folder.
#include <optional>
#include <string>

namespace vemra {

// Nothing when the program is not in folder (with "\"). Otherwise runs it
// to its end, keeping the host's windows responsive, and gives the path of
// the picture it wrote, or "" when there is none that is surely its own:
// a "temp.jpg" that could not be removed first, or older than the
// program's start, may be somebody else's.
std::optional<std::string> RunCanonPrProgram(const std::string& folder);

// The user's temporary folder, with "\".
std::string UserTempFolder();

}  // namespace vemra
