#include "imaging/ResampleRows.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vemra {

#if defined(__SSE2__)
namespace {

// Two neighbouring 16-bit weights in every 32-bit lane, for pmaddwd.
__m128i Pair(const std::int16_t* w) {
  std::int32_t both;
  std::memcpy(&both, w, sizeof both);
  return _mm_set1_epi32(both);
}

__m128i Shifted(__m128i sum, int bits) {
  return _mm_sra_epi32(_mm_add_epi32(sum, _mm_set1_epi32(1 << (bits - 1))), _mm_cvtsi32_si128(bits));
}

}  // namespace

// Four taps per step: pixels j..j+3 spread to 16 bits and interleaved as
// (b0 b1 g0 g1 r0 r1 . .) so each pmaddwd adds two taps for all channels.
// The windows' fields are read into locals once: the stores could alias
// them, and the compiler would load them again for every pixel.
void FilterRowAcross(const std::uint8_t* row, const FixedWindows& columns, int begin, int end, std::int16_t* out) {
  const int shift = columns.bits - columns.midBits, taps = columns.taps;
  const int* const left = columns.left.data();
  const int* const counts = columns.counts.data();
  const __m128i zero = _mm_setzero_si128(), top = _mm_set1_epi16(std::int16_t(255 << columns.midBits));
  const std::int16_t* w = columns.weights.data() + std::ptrdiff_t(begin) * taps;
  out += 3 * std::ptrdiff_t(begin);
  for (int i = begin; i < end; ++i) {
    const std::uint8_t* p = row + 3 * std::ptrdiff_t(left[i]);
    const std::int16_t* const next = w + taps;
    const int count = counts[i];
    __m128i sum = zero;
    for (int k = 0; k < count; k += 4, p += 12, w += 4) {
      const __m128i raw = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      const __m128i lo = _mm_unpacklo_epi8(raw, zero);
      const __m128i hi = _mm_unpacklo_epi8(_mm_srli_si128(raw, 6), zero);
      const __m128i a = _mm_unpacklo_epi16(lo, _mm_srli_si128(lo, 6));
      const __m128i b = _mm_unpacklo_epi16(hi, _mm_srli_si128(hi, 6));
      sum = _mm_add_epi32(sum, _mm_madd_epi16(a, Pair(w)));
      sum = _mm_add_epi32(sum, _mm_madd_epi16(b, Pair(w + 2)));
    }
    __m128i v = Shifted(sum, shift);
    v = _mm_packs_epi32(v, v);
    v = _mm_min_epi16(_mm_max_epi16(v, zero), top);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), v);
    out += 3;
    w = next;
  }
}

void FilterRowsDown(const std::int16_t* const* rows, const std::int16_t* weights, int count, int shift,
                    int values, std::uint8_t* out) {
  for (int c = 0; c < values; c += 8) {
    __m128i low = _mm_setzero_si128(), high = low;
    for (int k = 0; k < count; k += 2) {
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + c));
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k + 1] + c));
      const __m128i w = Pair(weights + k);
      low = _mm_add_epi32(low, _mm_madd_epi16(_mm_unpacklo_epi16(a, b), w));
      high = _mm_add_epi32(high, _mm_madd_epi16(_mm_unpackhi_epi16(a, b), w));
    }
    const __m128i words = _mm_packs_epi32(Shifted(low, shift), Shifted(high, shift));
    const __m128i bytes = _mm_packus_epi16(words, words);
    if (c + 8 <= values) {
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out + c), bytes);
    } else {
      alignas(16) std::uint8_t last[16];
      _mm_store_si128(reinterpret_cast<__m128i*>(last), bytes);
      std::memcpy(out + c, last, std::size_t(values - c));
    }
  }
}

#else

namespace {
int Shifted(std::int32_t sum, int bits) { return (sum + (1 << (bits - 1))) >> bits; }
}  // namespace

void FilterRowAcross(const std::uint8_t* row, const FixedWindows& columns, int begin, int end, std::int16_t* out) {
  const std::int16_t* w = columns.weights.data() + std::ptrdiff_t(begin) * columns.taps;
  out += 3 * std::ptrdiff_t(begin);
  for (int i = begin; i < end; ++i) {
    const std::uint8_t* p = row + 3 * std::ptrdiff_t(columns.left[std::size_t(i)]);
    for (int c = 0; c < 3; ++c) {
      std::int32_t sum = 0;
      for (int k = 0; k < columns.counts[std::size_t(i)]; ++k) sum += w[k] * p[3 * k + c];
      out[c] = std::int16_t(std::clamp(Shifted(sum, columns.bits - columns.midBits), 0, 255 << columns.midBits));
    }
    w += columns.taps;
    out += 3;
  }
}

void FilterRowsDown(const std::int16_t* const* rows, const std::int16_t* weights, int count, int shift,
                    int values, std::uint8_t* out) {
  for (int c = 0; c < values; ++c) {
    std::int32_t sum = 0;
    for (int k = 0; k < count; ++k) sum += weights[k] * rows[k][c];
    out[c] = std::uint8_t(std::clamp(Shifted(sum, shift), 0, 255));
  }
}

#endif

}  // namespace vemra
