#include <gtest/gtest.h>

#include "layout/barcodes/PlesseyPlugin.h"

namespace vemra {
namespace {

TEST(PlesseyShortString, CutsAt255AndNeverReadsPastTheBuffer) {
  struct Case { std::string text; std::string back; } cases[] = {
      {"", ""},
      {"12AB", "12AB"},
      {std::string(255, 'x'), std::string(255, 'x')},
      {std::string(300, 'y'), std::string(255, 'y')},
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const auto& c : cases) {
    auto buffer = ToShortString(c.text);
    EXPECT_EQ(buffer[0], c.back.size());
    EXPECT_EQ(FromShortString(buffer), c.back);
  }
  PlesseyShortString full;
  full.fill('z');
  full[0] = 255;
  EXPECT_EQ(FromShortString(full), std::string(255, 'z'));
}

}  // namespace
}  // namespace vemra
