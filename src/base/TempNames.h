#pragma once
// Files are written under a name of their own beside their target and then
// moved over it. A fixed "<path>.tmp" would be shared by two writers of the
// same file (two hosts on one data folder) and would replace a user's file
// of that name.
#include <string>

namespace vemra {

// "<path>.<random>-<n>.tmp": random per process, n counting up, so no two
// writers pick the same name by chance. The caller still creates the file
// only if it is new.
std::string UniqueSiblingName(const std::string& path);

}  // namespace vemra
