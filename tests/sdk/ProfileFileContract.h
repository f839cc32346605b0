#pragma once
// Rules every profile-file binding keeps; instantiated for the portable
// reader/writer everywhere and for the platform's functions under Windows.
#include <gtest/gtest.h>

#include "sdk/Fakes.h"
#include "sdk/ProfileFile.h"

namespace vemra::test {

class ProfileFileContract : public ::testing::TestWithParam<ProfileFileOpener> {
 protected:
  std::unique_ptr<ProfileFile> Open() { return GetParam()(folder.Windows() + "test.ini"); }
  TempFolder folder;
};

}  // namespace vemra::test
