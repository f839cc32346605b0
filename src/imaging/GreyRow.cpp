// Three-byte pixels need a byte shuffle to reach SIMD lanes, which SSE2
// lacks; SSSE3 has it, and nearly every processor that runs the DLL does
// too, so it is asked for at run time with the plain loop as the fallback.
#include "imaging/GreyRow.h"

#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
#include <tmmintrin.h>
#define VEMRA_SSSE3 1
#endif

namespace vemra {
namespace {

void GreyRowPlain(std::uint8_t* p, int width) {
  for (int x = 0; x < width; ++x, p += 3) p[0] = p[1] = p[2] = std::uint8_t((p[2] * 77 + p[1] * 150 + p[0] * 29) >> 8);
}

#if VEMRA_SSSE3
// Four pixels per step. The next group is loaded before this one is
// stored, since a whole-vector store runs 4 bytes into it.
__attribute__((target("ssse3"))) void GreyRowSsse3(std::uint8_t* p, int width) {
  const __m128i firstTwo = _mm_setr_epi8(0, -1, 1, -1, 2, -1, -1, -1, 3, -1, 4, -1, 5, -1, -1, -1);
  const __m128i lastTwo = _mm_setr_epi8(6, -1, 7, -1, 8, -1, -1, -1, 9, -1, 10, -1, 11, -1, -1, -1);
  const __m128i weights = _mm_setr_epi16(29, 150, 77, 0, 29, 150, 77, 0);
  const __m128i spread = _mm_setr_epi8(0, 0, 0, 4, 4, 4, 8, 8, 8, 12, 12, 12, -1, -1, -1, -1);
  const int groups = width / 4;
  if (groups > 0) {
    __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    for (int i = 0; i < groups; ++i, p += 12) {
      const __m128i v = next;
      if (i + 1 < groups) next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 12));
      const __m128i a = _mm_madd_epi16(_mm_shuffle_epi8(v, firstTwo), weights);
      const __m128i b = _mm_madd_epi16(_mm_shuffle_epi8(v, lastTwo), weights);
      const __m128i grey = _mm_shuffle_epi8(_mm_srli_epi32(_mm_hadd_epi32(a, b), 8), spread);
      if (i + 1 < groups) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p), grey);
      } else {
        _mm_storel_epi64(reinterpret_cast<__m128i*>(p), grey);
        const int last = _mm_cvtsi128_si32(_mm_srli_si128(grey, 8));
        __builtin_memcpy(p + 8, &last, 4);
      }
    }
  }
  GreyRowPlain(p, width % 4);
}
#endif

}  // namespace

void GreyRow(std::uint8_t* row, int width) {
#if VEMRA_SSSE3
  static const bool ssse3 = __builtin_cpu_supports("ssse3");
  if (ssse3) return GreyRowSsse3(row, width);
#endif
  GreyRowPlain(row, width);
}

}  // namespace vemra
