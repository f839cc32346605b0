#pragma once
// The inner loops of the fixed-point resampler, one row at a time: SSE2
// where the compiler offers it, plain C++ with the same arithmetic
// elsewhere, so both give identical bytes.
#include <cstdint>
#include <vector>

namespace vemra {

// Weights of one axis in 1 / 2^bits, every window padded with zeros to
// `taps` (a multiple of 4) so the loops need no tail; the row loop reads
// only the first `counts` of them (also a multiple of 4), since a few wide
// windows at the edges should not slow all the others. Intermediate values
// between the passes are levels in 1 / 2^midBits, clamped to 0..255.
struct FixedWindows {
  int taps = 0;
  int bits = 0;
  int midBits = 0;
  std::vector<int> left;              // first source position per destination pixel, never decreasing
  std::vector<int> counts;            // weights the row loop reads per destination pixel
  std::vector<std::int16_t> weights;  // taps per destination pixel
};

// Destination pixels begin..end-1 of one row into `out` (3 values each
// from out + 3 * begin, plus one spare value). `row` points at source pixel
// 0 of a BGR row readable from those windows' first position to `taps` + 2
// pixels past their last.
void FilterRowAcross(const std::uint8_t* row, const FixedWindows& columns, int begin, int end, std::int16_t* out);

// Sums `count` (even) intermediate rows with their weights, shifted right
// by `shift`, into `values` bytes; the rows are readable up to `values` rounded up to 8.
void FilterRowsDown(const std::int16_t* const* rows, const std::int16_t* weights, int count, int shift,
                    int values, std::uint8_t* out);

}  // namespace vemra
