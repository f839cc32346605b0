#include <gtest/gtest.h>

#include <climits>

#include "layout/render/LayoutAngles.h"

namespace vemra {
namespace {

TEST(AddLayoutAngles, ComesBackWholeTurnsWithoutOverflow) {
  struct Case { int object, card, extra, angle; } cases[] = {
      {0, 0, 0, 0},         {90, 180, 0, 270},   {90, 270, 0, 0},
      {271, 0, 0, -89},     {450, 0, 0, 90},     {90, 270, 180, 180},
      {-90, 0, 0, -90},     {-450, 0, 0, -90},   {-360, 0, 0, -360},
      {INT_MAX, 270, 180, 217},                  {INT_MIN, 0, 0, -128},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AddLayoutAngles(c.object, c.card, c.extra), c.angle) << c.object << "+" << c.card;
}

}  // namespace
}  // namespace vemra
