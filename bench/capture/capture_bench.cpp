// The capture dialog's pixel work on a 12-megapixel photo, beside a memcpy
// of the same picture: the free rotation (every angle button press), the
// colour count (every new picture) and the stored copy of OK.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "capture/framing/CaptureFraming.h"
#include "capture/framing/ColourCount.h"
#include "capture/framing/FreeRotation.h"
#include "imaging/PictureCodecs.h"
#include "imaging/Resample.h"

namespace vemra {
namespace {

// The sample portrait enlarged to 4000 x 3000.
const Bitmap& TwelveMegapixels() {
  static const Bitmap photo = [] {
    std::ifstream in(std::string(VEMRA_SAMPLES) + "/portrait.jpg", std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    Bitmap portrait;
    DecodeJpeg(bytes.data(), bytes.size(), portrait);
    Bitmap big(4000, 3000);
    ResampleBitmap(portrait, big, kFilterTriangle);
    return big;
  }();
  return photo;
}

void BM_RotateFree(benchmark::State& state) {
  const Bitmap& photo = TwelveMegapixels();
  for (auto _ : state) {
    Bitmap turned = RotateFree(photo, int(state.range(0)));
    benchmark::DoNotOptimize(turned.Row(0));
  }
}

// Turn after turn: the working copy's memory is reused.
void BM_RotateFreeInto(benchmark::State& state) {
  const Bitmap& photo = TwelveMegapixels();
  Bitmap turned;
  RotateFree(photo, 1, turned);
  for (auto _ : state) {
    RotateFree(photo, int(state.range(0)), turned);
    benchmark::DoNotOptimize(turned.Row(0));
  }
}

void BM_CountColours(benchmark::State& state) {
  const Bitmap& photo = TwelveMegapixels();
  for (auto _ : state) benchmark::DoNotOptimize(CountColours(photo));
}

void BM_StorePictureZoomed(benchmark::State& state) {
  CaptureFraming framing;
  framing.SetPicture(TwelveMegapixels());
  framing.ZoomStep(kZoomInStep);
  for (auto _ : state) {
    Bitmap stored = framing.StorePicture();
    benchmark::DoNotOptimize(stored.Row(0));
  }
}

void BM_Memcpy(benchmark::State& state) {
  const Bitmap& photo = TwelveMegapixels();
  std::vector<std::uint8_t> copy(std::size_t(photo.Stride()) * std::size_t(photo.Height()));
  for (auto _ : state) {
    std::memcpy(copy.data(), photo.Row(0), copy.size());
    benchmark::DoNotOptimize(copy.data());
  }
}

BENCHMARK(BM_RotateFree)->Arg(1)->Arg(-37)->Arg(90)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RotateFreeInto)->Arg(1)->Arg(-37)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CountColours)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StorePictureZoomed)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace vemra

BENCHMARK_MAIN();
