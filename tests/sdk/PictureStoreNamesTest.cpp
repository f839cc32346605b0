#include "sdk/PictureStoreNames.h"

#include <gtest/gtest.h>

namespace vemra {
namespace {

TEST(IsPictureStoreName, NamesThatLeaveTheStoreOrNameADeviceAreRefused) {
  for (const char* id : {
           ".", "..", "..\\secret", "\\..\\..\\x", "a/../b", "C:\\x", "C:x", "x:stream",
           "*", "1?", "a<b", "a>b", "a|b", "a\"b", "a\tb", "a\rb", "\x01", "a\x7f",
           "con", "CON", "Con.jpg", "nul.jpg", "NUL .jpg", "aux", "prn.x.y", "conin$", "CONOUT$",
           "com1", "COM9", "com0", "LPT1", "lpt9.txt", "COM\xb9", "lpt\xb2", "LPT\xb3.jpg"}) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(IsPictureStoreName(id));
  }
}

TEST(IsPictureStoreName, OrdinaryIdsAreNames) {
  for (const char* id : {"123", "4711", "x.y", "a b", "a.b.c", "\xe5\xe4\xf6", "COM10", "LPT", "CONX",
                         "console", "nul_", "con-1", "com\xb4", "COMA", "s123", ".hidden",
                         "19450101-1234", "", "a..b", "...", "x.."}) {
    SCOPED_TRACE(id);
    EXPECT_TRUE(IsPictureStoreName(id));
  }
}

}  // namespace
}  // namespace vemra
