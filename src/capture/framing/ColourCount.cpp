// One bit per colour, in 65,536 blocks of 256 bits keyed by red and green
// and created on first use: a photo touches only a few thousand blocks, so
// the count costs a few hundred kilobytes rather than the 2 MB of a full
// bit set.
#include "capture/framing/ColourCount.h"

#include <array>
#include <chrono>
#include <memory>
#include <vector>

#include "imaging/PixelRows.h"

namespace vemra {

int CountColours(const Bitmap& picture, const std::function<bool()>& keepGoing) {
  if (picture.Empty()) return 0;
  Bitmap storage;
  const Bitmap& bgr = As24Bit(picture, storage);
  using Block = std::array<std::uint64_t, 4>;
  std::vector<std::unique_ptr<Block>> blocks(65536);
  int count = 0;
  for (int y = 0; y < bgr.Height(); ++y) {
    if (keepGoing && (y & 15) == 0 && !keepGoing()) return 0;
    const std::uint8_t* p = bgr.Row(y);
    for (int x = 0; x < bgr.Width(); ++x, p += 3) {
      std::unique_ptr<Block>& block = blocks[unsigned(p[2]) << 8 | p[1]];
      if (!block) block = std::make_unique<Block>(Block{});
      std::uint64_t& word = (*block)[p[0] >> 6];
      const std::uint64_t bit = std::uint64_t(1) << (p[0] & 63);
      if (!(word & bit)) {
        word |= bit;
        ++count;
      }
    }
  }
  return count;
}

MillisecondClock SteadyMilliseconds() {
  return [] {
    return std::int64_t(std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now().time_since_epoch())
                            .count());
  };
}

ColourCounter::ColourCounter(MillisecondClock clock) : clock_(std::move(clock)) {}

int ColourCounter::Count(const Bitmap& picture) {
  if (disabled_) return last_ = 0;
  const std::int64_t start = clock_();
  // Stopping at the cut-off spares the user the rest of a count whose
  // result would be thrown away.
  bool tooSlow = false;
  const int count = CountColours(picture, [&] {
    tooSlow = clock_() - start > kCutOffMs;
    return !tooSlow;
  });
  if (tooSlow || clock_() - start > kCutOffMs) {
    disabled_ = true;
    return last_ = 0;
  }
  return last_ = count;
}

}  // namespace vemra
