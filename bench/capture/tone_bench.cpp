// The tone curve and the colour operations on a 12-megapixel picture,
// beside a memcpy of the same bytes: the tone curve is a table lookup per
// byte and should run near the speed of copying.
#include <benchmark/benchmark.h>

#include <cstring>

#include "capture/framing/ColourCount.h"
#include "capture/tone/AdjustPictures.h"
#include "capture/tone/ToneCurve.h"

namespace vemra {
namespace {

// Smooth gradients with some noise, like a scanned photo.
const Bitmap& TwelveMegapixels() {
  static const Bitmap picture = [] {
    Bitmap b(4000, 3000);
    std::uint32_t noise = 12345;
    for (int y = 0; y < b.Height(); ++y) {
      std::uint8_t* p = b.Row(y);
      for (int x = 0; x < b.Width(); ++x, p += 3) {
        noise = noise * 1664525 + 1013904223;
        p[0] = std::uint8_t(x / 16 + (noise >> 28));
        p[1] = std::uint8_t(y / 12 + (noise >> 24 & 15));
        p[2] = std::uint8_t((x + y) / 28 + (noise >> 20 & 15));
      }
    }
    return b;
  }();
  return picture;
}

void SetBytes(benchmark::State& state) {
  const Bitmap& b = TwelveMegapixels();
  state.SetBytesProcessed(std::int64_t(state.iterations()) * b.Stride() * b.Height());
}

void BM_Memcpy(benchmark::State& state) {
  const Bitmap& source = TwelveMegapixels();
  Bitmap destination(source.Width(), source.Height());
  const std::size_t bytes = std::size_t(source.Stride()) * std::size_t(source.Height());
  for (auto _ : state) {
    std::memcpy(destination.Row(0), source.Row(0), bytes);
    benchmark::DoNotOptimize(destination.Row(0));
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}

void BM_ToneCurve(benchmark::State& state) {
  const Bitmap& source = TwelveMegapixels();
  Bitmap destination(source.Width(), source.Height());
  const ToneSettings settings{10, 20, 5, -5, 0};
  for (auto _ : state) {
    ApplyToneSettings(source, destination, settings);
    benchmark::DoNotOptimize(destination.Row(0));
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}

// The lookup kernel alone, as the 32-bit library runs it.
void BM_ToneCurveTables(benchmark::State& state) {
  const Bitmap& source = TwelveMegapixels();
  Bitmap destination(source.Width(), source.Height());
  const ToneTables tables = MakeToneTables({10, 20, 5, -5, 0});
  for (auto _ : state) {
    ApplyToneTables(tables, source.Row(0), source.Stride(), destination.Row(0), destination.Stride(), source.Width(),
                    source.Height(), ToneKernel::kTables);
    benchmark::DoNotOptimize(destination.Row(0));
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}

void BM_ToneCurveInPlace(benchmark::State& state) {
  Bitmap picture = TwelveMegapixels();
  for (auto _ : state) {
    ApplyToneSettingsInPlace(1, 1, 0, 0, 0, false, false, picture);
    benchmark::DoNotOptimize(picture.Row(0));
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}

void BM_GreyScale(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    Bitmap picture = TwelveMegapixels();
    state.ResumeTiming();
    GreyScalePicture(picture);
    benchmark::DoNotOptimize(picture.Row(0));
  }
  SetBytes(state);
}

void BM_HistogramContrast(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    Bitmap picture = TwelveMegapixels();
    state.ResumeTiming();
    HistogramContrast(picture);
    benchmark::DoNotOptimize(picture.Row(0));
  }
  SetBytes(state);
}

void BM_CountColours(benchmark::State& state) {
  const Bitmap& picture = TwelveMegapixels();
  for (auto _ : state) benchmark::DoNotOptimize(CountColours(picture));
  SetBytes(state);
}

BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToneCurve)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToneCurveTables)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToneCurveInPlace)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GreyScale)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistogramContrast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CountColours)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vemra

BENCHMARK_MAIN();
