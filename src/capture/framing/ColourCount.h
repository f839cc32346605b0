#pragma once
// The number of distinct colours of a picture, for the status line. The
// dialog counts after each new picture through one ColourCounter, which
// gives up for the rest of the dialog's life once a count is too slow.
#include <cstdint>
#include <functional>

#include "imaging/Bitmap.h"

namespace vemra {

// Exact count of distinct 24-bit colours (other formats are read as 24
// bits). `keepGoing` is asked between rows; when it says no, the count
// stops and the result is 0.
int CountColours(const Bitmap& picture, const std::function<bool()>& keepGoing = {});

// Milliseconds from any fixed origin.
using MillisecondClock = std::function<std::int64_t()>;
MillisecondClock SteadyMilliseconds();

class ColourCounter {
 public:
  static constexpr std::int64_t kCutOffMs = 300;

  explicit ColourCounter(MillisecondClock clock = SteadyMilliseconds());

  // The count, or 0 when counting is disabled or this count took longer
  // than the cut-off (which disables it). Then refresh status kind 3.
  int Count(const Bitmap& picture);
  int LastCount() const { return last_; }
  bool Disabled() const { return disabled_; }

 private:
  MillisecondClock clock_;
  bool disabled_ = false;
  int last_ = 0;
};

}  // namespace vemra
