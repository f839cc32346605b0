// The tone curve as table lookups, four pixels (three words) a step, or as
// 16-bit AVX2 arithmetic that the tests prove equal to the tables for
// every strength and offset. The 32-bit Windows stack is only 4-byte
// aligned, so the vector kernel realigns its own frame for AVX spills.
#include "capture/tone/ToneCurve.h"

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#define VEMRA_TONE_AVX2 1
#include <immintrin.h>
#if defined(__i386__)
#define VEMRA_REALIGN __attribute__((force_align_arg_pointer))
#else
#define VEMRA_REALIGN
#endif
#endif

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "imaging/LynImageEx.h"

namespace vemra {
namespace {

// n / d rounded to the nearest integer, halves away from zero (d > 0).
int RoundedQuotient(int n, int d) { return n >= 0 ? (n + d / 2) / d : -((-n + d / 2) / d); }

std::uint8_t ClampByte(int v) { return std::uint8_t(std::clamp(v, 0, 255)); }

bool IsIdentity(const std::uint8_t* table) {
  for (int v = 0; v < 256; ++v)
    if (table[v] != v) return false;
  return true;
}

std::uint32_t Load32(const std::uint8_t* p) {
  std::uint32_t w;
  std::memcpy(&w, p, 4);
  return w;
}

void Store32(std::uint8_t* p, std::uint32_t w) { std::memcpy(p, &w, 4); }

// Four bytes through four tables, little-endian byte order.
std::uint32_t Map4(std::uint32_t w, const std::uint8_t* t0, const std::uint8_t* t1, const std::uint8_t* t2,
                   const std::uint8_t* t3) {
  return std::uint32_t(t0[w & 0xFF]) | std::uint32_t(t1[w >> 8 & 0xFF]) << 8 |
         std::uint32_t(t2[w >> 16 & 0xFF]) << 16 | std::uint32_t(t3[w >> 24]) << 24;
}

void MapRow(const ToneTables& t, const std::uint8_t* s, std::uint8_t* d, int width, int x = 0) {
  const std::uint8_t *b = t.blue, *g = t.green, *r = t.red;
  s += 3 * x;
  d += 3 * x;
  // Pixels x..x+3 are the bytes b g r b | g r b g | r b g r.
  for (; x + 4 <= width; x += 4, s += 12, d += 12) {
    const std::uint32_t w0 = Load32(s), w1 = Load32(s + 4), w2 = Load32(s + 8);
    Store32(d, Map4(w0, b, g, r, b));
    Store32(d + 4, Map4(w1, g, r, b, g));
    Store32(d + 8, Map4(w2, r, b, g, r));
  }
  for (; x < width; ++x, s += 3, d += 3) {
    d[0] = b[s[0]];
    d[1] = g[s[1]];
    d[2] = r[s[2]];
  }
}

#ifdef VEMRA_TONE_AVX2
// d = round(S x (v - 127) / 127) (halved toward zero when S < 0) is the
// contrast term for both halves of the curve: for v <= 127 the factor -S
// times |v - 127| is the same product. |S x (v - 127)| + 63 <= 16319, where
// x * 33027 >> 22 divides by 127 exactly.
__attribute__((target("avx2"))) VEMRA_REALIGN int MapRowVector(const ToneTables& t, const std::uint8_t* s, std::uint8_t* d,
                                                 int width) {
  const __m256i strength = _mm256_set1_epi16(short(t.strength)), c127 = _mm256_set1_epi16(127),
                c63 = _mm256_set1_epi16(63), magic = _mm256_set1_epi16(short(33027));
  const __m128i halve = _mm_cvtsi32_si128(t.strength < 0 ? 1 : 0);
  __m256i offsets[3];
  for (int phase = 0; phase < 3; ++phase) {
    short lane[16];
    for (int j = 0; j < 16; ++j) lane[j] = short(t.offsets[(16 * phase + j) % 3]);
    offsets[phase] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lane));
  }
  int x = 0;
  for (; x + 16 <= width; x += 16, s += 48, d += 48)
    for (int phase = 0; phase < 3; ++phase) {
      const __m256i v = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 16 * phase)));
      const __m256i n = _mm256_mullo_epi16(_mm256_sub_epi16(v, c127), strength);
      __m256i q = _mm256_srli_epi16(_mm256_mulhi_epu16(_mm256_add_epi16(_mm256_abs_epi16(n), c63), magic), 6);
      q = _mm256_sign_epi16(_mm256_srl_epi16(q, halve), n);
      const __m256i r = _mm256_add_epi16(_mm256_add_epi16(v, q), offsets[phase]);
      const __m256i packed = _mm256_permute4x64_epi64(_mm256_packus_epi16(r, r), 0x08);  // clamps to 0..255
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 16 * phase), _mm256_castsi256_si128(packed));
    }
  return x;
}
#endif

bool UseVector(ToneKernel kernel) {
  if (kernel == ToneKernel::kTables) return false;
  return ToneKernelAvailable(ToneKernel::kVector);
}

void ApplyToPicture(const ToneTables& tables, Bitmap& picture) {
  if (picture.Empty()) return;
  ApplyToneTables(tables, picture.Row(0), picture.Stride(), picture.Row(0), picture.Stride(), picture.Width(),
                  picture.Height());
}

// Every pixel's three channels := table[its red], the picture grey.
void SetGreyLevels(Bitmap& picture, const std::uint8_t* table) {
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* p = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x, p += 3) p[0] = p[1] = p[2] = table[p[2]];
  }
}

struct RedRange {
  int lo = 255, hi = 0;
  bool anyColour = false;
};

RedRange ScanRed(const Bitmap& picture) {
  RedRange range;
  for (int y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* p = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x, p += 3) {
      range.lo = std::min<int>(range.lo, p[2]);
      range.hi = std::max<int>(range.hi, p[2]);
      range.anyColour |= p[0] != p[1] || p[1] != p[2];
    }
  }
  return range;
}

}  // namespace

int ContrastStrength(int contrast) {
  const int n = contrast * 254;  // S x 100
  const int magnitude = (std::abs(n) + 49) / 100;  // halves toward zero
  return n < 0 ? -magnitude : magnitude;
}

int ToneOffset(int value) { return RoundedQuotient(value * 128, 100); }

int ToneValue(int value, int strength, int offset) {
  int d = 0;
  if (strength != 0) {
    const int k = value >= 128 ? strength : -strength;
    d = RoundedQuotient(k * std::abs(value - 127), 127);  // never a half: 127 is odd
    if (strength < 0) d /= 2;
  }
  return std::clamp(value + d + offset, 0, 255);
}

ToneTables MakeToneTables(const ToneSettings& settings) {
  const int s = ContrastStrength(settings.contrast);
  const int b = ToneOffset(settings.brightness);
  const int red = b + ToneOffset(settings.red), green = b + ToneOffset(settings.green),
            blue = b + ToneOffset(settings.blue);
  ToneTables t;
  t.strength = s;
  t.offsets[0] = blue, t.offsets[1] = green, t.offsets[2] = red;
  for (int v = 0; v < 256; ++v) {
    t.red[v] = ClampByte(ToneValue(v, s, red));
    t.green[v] = ClampByte(ToneValue(v, s, green));
    t.blue[v] = ClampByte(ToneValue(v, s, blue));
  }
  return t;
}

bool ToneKernelAvailable(ToneKernel kernel) {
  if (kernel != ToneKernel::kVector) return true;
#ifdef VEMRA_TONE_AVX2
  static const bool avx2 = __builtin_cpu_supports("avx2");
  return avx2;
#else
  return false;
#endif
}

void ApplyToneTables(const ToneTables& tables, const std::uint8_t* source, std::ptrdiff_t sourceStride,
                     std::uint8_t* destination, std::ptrdiff_t destinationStride, int width, int height,
                     ToneKernel kernel) {
  if (width <= 0 || height <= 0) return;
  const bool identity = IsIdentity(tables.blue) && IsIdentity(tables.green) && IsIdentity(tables.red);
  [[maybe_unused]] const bool vector = UseVector(kernel);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* s = source + y * sourceStride;
    std::uint8_t* d = destination + y * destinationStride;
    if (identity) {
      if (s != d) std::memmove(d, s, std::size_t(width) * 3);
      continue;
    }
    int done = 0;
#ifdef VEMRA_TONE_AVX2
    if (vector) done = MapRowVector(tables, s, d, width);
#endif
    MapRow(tables, s, d, width, done);
  }
}

void ApplyToneSettings(const Bitmap& source, Bitmap& destination, const ToneSettings& settings) {
  const ToneTables tables = MakeToneTables(settings);
  if (&source == &destination) {
    destination.SetPixelFormat(PixelFormat::pf24bit);
    ApplyToPicture(tables, destination);
    return;
  }
  Bitmap storage;
  const Bitmap& from = As24Bit(source, storage);
  if (from.Empty()) {
    destination = Bitmap();
    return;
  }
  if (destination.Format() != PixelFormat::pf24bit || destination.Width() != from.Width() ||
      destination.Height() != from.Height())
    destination = Bitmap(from.Width(), from.Height());
  ApplyToneTables(tables, from.Row(0), from.Stride(), destination.Row(0), destination.Stride(), from.Width(),
                  from.Height());
}

void ApplyToneSettingsInPlace(int brightness, int contrast, int red, int green, int blue, bool histogram,
                              bool grey, Bitmap& picture) {
  picture.SetPixelFormat(PixelFormat::pf24bit);
  if (grey) GreyScalePicture(picture);
  if (histogram) HistogramContrast(picture);
  ApplyToPicture(MakeToneTables({brightness, contrast, red, green, blue}), picture);
}

void GreyScalePicture(Bitmap& picture) {
  // The layout engine's grey conversion also greys a transparent key; a
  // captured picture keeps whatever key it has.
  const ColourValue key = picture.transparentColour;
  ConvertToGreyScale(picture);
  picture.transparentColour = key;
}

void HistogramContrast(Bitmap& picture) {
  picture.SetPixelFormat(PixelFormat::pf24bit);
  RedRange range = ScanRed(picture);
  if (range.anyColour) {
    GreyScalePicture(picture);
    range = ScanRed(picture);
  }
  // One level only: there is nothing to stretch, and 255 / 0 would turn
  // the picture into noise.
  if (range.hi <= range.lo) return;
  const double scale = 255.0 / (range.hi - range.lo);
  std::uint8_t table[256];
  for (int v = 0; v < 256; ++v)
    table[v] = ClampByte(int(std::nearbyint(scale * (v - range.lo))));  // halves to even
  SetGreyLevels(picture, table);
}

}  // namespace vemra
