#pragma once
// The process's camera plug-ins, beside the host program. Each is loaded
// at its first picture and stays loaded and connected until the process
// ends; there is no disconnect.
#include <string>

namespace vemra {

// Source 41: "file<TAB>angle", or "" when there is no picture.
std::string CanonGetImage();
// Source 42: the same; through the stand-alone program when it is there.
std::string CanonPrGetImage(bool automatic);
// Source 43: a key/value list with "Fil" and "Angle"; on failure false,
// and unless quiet the reason in an information box.
bool CanonEosGetImage(bool quiet, std::string& answer);

}  // namespace vemra
