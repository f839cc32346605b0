#include "base/Throttle.h"

#include <gtest/gtest.h>

#include <vector>

namespace vemra {
namespace {

TEST(Throttle, LetsAStepThroughOncePerInterval) {
  struct Case {
    const char* name;
    std::vector<std::uint32_t> ticks;
    std::vector<bool> due;
  } cases[] = {
      {"first always", {1000}, {true}},
      {"within the interval", {1000, 1001, 1049}, {true, false, false}},
      {"at the interval", {1000, 1050, 1099, 1100}, {true, true, false, true}},
      {"counted from the last pass", {1000, 1040, 1060, 1100}, {true, false, true, false}},
      {"counter wraps", {0xFFFFFFF0u, 0x10u, 0x30u}, {true, false, true}},
  };
  for (const Case& c : cases) {
    std::size_t at = 0;
    Throttle throttle(50, [&] { return c.ticks[at]; });
    for (at = 0; at < c.ticks.size(); ++at) EXPECT_EQ(throttle.Due(), c.due[at]) << c.name << at;
  }
}

TEST(Throttle, ResetLetsTheNextStepThrough) {
  std::uint32_t now = 500;
  Throttle throttle(50, [&] { return now; });
  EXPECT_TRUE(throttle.Due());
  now = 510;
  EXPECT_FALSE(throttle.Due());
  throttle.Reset();
  EXPECT_TRUE(throttle.Due());
  now = 520;
  EXPECT_FALSE(throttle.Due());
}

}  // namespace
}  // namespace vemra
