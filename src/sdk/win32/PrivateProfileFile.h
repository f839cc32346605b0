#pragma once
#include <functional>

#include "sdk/ProfileFile.h"

namespace vemra {

// The platform's own profile functions behind the ProfileFile interface.
// Changes go into a copy beside the file, which Commit moves over it.
std::unique_ptr<ProfileFile> OpenPrivateProfileFile(const std::string& path);

// WritePrivateProfileStringA's shape (value null: remove the key), so that
// tests can make a write fail.
using ProfileWriter =
    std::function<bool(const char* section, const char* key, const char* value, const char* path)>;
std::unique_ptr<ProfileFile> OpenPrivateProfileFileWith(const std::string& path,
                                                        ProfileWriter writer);

}  // namespace vemra
