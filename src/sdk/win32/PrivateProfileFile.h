#pragma once
#include "sdk/ProfileFile.h"

namespace vemra {

// The platform's own profile functions behind the ProfileFile interface.
std::unique_ptr<ProfileFile> OpenPrivateProfileFile(const std::string& path);

}  // namespace vemra
