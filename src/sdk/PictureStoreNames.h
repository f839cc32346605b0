#pragma once
// The host names a holder's pictures by an id that becomes a file name in
// "Image\": "<id>.jpg" and "s<id>.jpg". An id that could name anything
// else (another folder, a drive, a wildcard, a device) is not one.
#include <string_view>

namespace vemra {

// False for ids with "\", "/", ":", "..", wildcards or other characters
// file names cannot hold, control characters, and ids that are a reserved
// device name (CON, NUL, COM1, ...) in any case.
bool IsPictureStoreName(std::string_view id);

}  // namespace vemra
