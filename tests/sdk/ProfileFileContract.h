#pragma once
// Rules every profile-file binding keeps; instantiated for the portable
// reader/writer everywhere and for the platform's functions under Windows.
#include <gtest/gtest.h>

#include "sdk/Fakes.h"
#include "sdk/ProfileFile.h"

namespace vemra::test {

// A binding under test, named in the test's name.
struct ProfileBinding {
  const char* name;
  ProfileFileOpener open;
};
inline void PrintTo(const ProfileBinding& b, std::ostream* os) { *os << b.name; }

class ProfileFileContract : public ::testing::TestWithParam<ProfileBinding> {
 protected:
  std::unique_ptr<ProfileFile> Open() { return GetParam().open(folder.Windows() + "test.ini"); }
  TempFolder folder;
};

}  // namespace vemra::test
