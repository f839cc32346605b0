#pragma once
// An object's `ang` plus the card's turn. A layout number may be anything
// up to the int limit, so the sum is taken wide and brought back a full
// turn at a time until it is no more than 270, as the renderer expects;
// a large negative angle loses whole turns, so that tenths of a degree
// still fit an int.
namespace vemra {

inline int AddLayoutAngles(int objectAngle, int cardAngle, int extra = 0) {
  long long sum = (long long)objectAngle + cardAngle + extra;
  if (sum > 270) sum = (sum + 89) % 360 - 89;  // the same as subtracting 360 until <= 270
  if (sum < -360) sum %= 360;                   // a whole number of turns less, still negative
  return int(sum);
}

}  // namespace vemra
