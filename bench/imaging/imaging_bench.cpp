// Pixel work on a 12-megapixel photo, each beside a peer run in the same
// process: ImageMagick (one thread) for resampling with each filter, djpeg/cjpeg for the
// codecs, memcpy for the single-pass operations. The peers are separate
// programs, so their times include starting and file I/O; the
// ImageMagick copy-only run shows that share. The peers are timed by the
// processor time they used (the "Time" column), the rest by this
// process's (the "CPU" column).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "imaging/LynImageEx.h"
#include "imaging/PictureCodecs.h"
#include "imaging/Resample.h"
#include "imaging/Rotate.h"
#include "imaging/Transpose.h"

namespace vemra {
namespace {

const std::string kPpm = "/tmp/vemra-bench-photo.ppm";
const std::string kJpeg = "/tmp/vemra-bench-photo.jpg";

struct Photo {
  Bitmap bitmap;
  std::vector<std::uint8_t> jpeg;
};

// The sample portrait enlarged to 4000 x 3000, written as PPM and JPEG
// for the peers.
const Photo& TwelveMegapixels() {
  static const Photo photo = [] {
    std::ifstream in(std::string(VEMRA_SAMPLES) + "/portrait.jpg", std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    Bitmap portrait;
    DecodeJpeg(bytes.data(), bytes.size(), portrait);
    Photo p{Bitmap(4000, 3000), {}};
    ResampleBitmap(portrait, p.bitmap, kFilterTriangle);
    EncodeJpeg(p.bitmap, 90, p.jpeg);
    std::ofstream(kJpeg, std::ios::binary).write(reinterpret_cast<const char*>(p.jpeg.data()), p.jpeg.size());
    std::ofstream ppm(kPpm, std::ios::binary);
    ppm << "P6\n4000 3000\n255\n";
    for (int y = 0; y < 3000; ++y)
      for (int x = 0; x < 4000; ++x) {
        const std::uint8_t* px = p.bitmap.Row(y) + 3 * x;
        const char rgb[3] = {char(px[2]), char(px[1]), char(px[0])};
        ppm.write(rgb, 3);
      }
    return p;
  }();
  return photo;
}

double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// Timed by the processor time the command used, so other load on the
// machine weighs on it as little as on the in-process cases' CPU time.
void Run(benchmark::State& state, const std::string& command) {
  TwelveMegapixels();
  for (auto _ : state) {
    const double before = ChildrenCpuSeconds();
    if (std::system(command.c_str()) != 0) state.SkipWithError(command.c_str());
    state.SetIterationTime(ChildrenCpuSeconds() - before);
  }
}

// Filters by index with ImageMagick's name for the same kernel (its
// Quadratic is the quadratic B-spline called Bell here, Spline the cubic).
constexpr const char* kMagickFilters[] = {"Box", "Triangle", "Hermite", "Quadratic", "Spline", "Lanczos", "Mitchell"};

void BM_Resample(benchmark::State& state) {
  const Bitmap& source = TwelveMegapixels().bitmap;
  for (auto _ : state) {
    Bitmap destination(1000, 750);
    ResampleBitmap(source, destination, int(state.range(0)));
    benchmark::DoNotOptimize(destination.Row(0));
  }
}
void BM_ResampleFloatRule(benchmark::State& state) {
  const Bitmap& source = TwelveMegapixels().bitmap;
  for (auto _ : state) {
    Bitmap destination(1000, 750);
    ResampleBitmapExact(source, destination, kFilterMitchell);
    benchmark::DoNotOptimize(destination.Row(0));
  }
}
void BM_ImageMagick(benchmark::State& state) {
  Run(state, "MAGICK_THREAD_LIMIT=1 convert " + kPpm + " -filter " + kMagickFilters[state.range(0)] +
                 " -resize 1000x750! /tmp/vemra-bench-out.ppm");
}

// ImageMagick's resize alone: one run resizing the picture ten times from
// clones (which share its pixels) less a run that only reads and crops it,
// over ten. Starting, reading and writing weigh three times a resize, so
// taking a whole run's share away leaves more noise than resize; this
// leaves only what ten more resizes cost.
std::string MagickCommand(const std::string& resizes) {
  return "MAGICK_THREAD_LIMIT=1 convert " + kPpm + resizes + " -crop 1000x750+0+0 +repage /tmp/vemra-bench-out.ppm";
}
void BM_ImageMagickResizeAlone(benchmark::State& state) {
  std::string ten;
  for (int i = 0; i < 10; ++i)
    ten += std::string(" \\( +clone -filter ") + kMagickFilters[state.range(0)] + " -resize 1000x750! \\) +delete";
  const std::string withResizes = MagickCommand(ten), without = MagickCommand("");
  TwelveMegapixels();
  for (auto _ : state) {
    double before = ChildrenCpuSeconds();
    if (std::system(withResizes.c_str()) != 0) state.SkipWithError(withResizes.c_str());
    const double tenRuns = ChildrenCpuSeconds() - before;
    before = ChildrenCpuSeconds();
    if (std::system(without.c_str()) != 0) state.SkipWithError(without.c_str());
    state.SetIterationTime(std::max(0.0, tenRuns - (ChildrenCpuSeconds() - before)) / 10);
  }
}
void BM_ImageMagickCopyOnly(benchmark::State& state) {
  Run(state, "MAGICK_THREAD_LIMIT=1 convert " + kPpm + " /tmp/vemra-bench-out.ppm");
}
// Copy-only writes the whole 12-megapixel picture, a resize run only its
// 1000 x 750 result: a crop to that size reads and writes what the resize
// runs do, so it is the fairer share to subtract.
void BM_ImageMagickCropOnly(benchmark::State& state) {
  Run(state, "MAGICK_THREAD_LIMIT=1 convert " + kPpm + " -crop 1000x750+0+0 +repage /tmp/vemra-bench-out.ppm");
}

void BM_DecodeJpeg(benchmark::State& state) {
  const auto& jpeg = TwelveMegapixels().jpeg;
  for (auto _ : state) {
    Bitmap out;
    benchmark::DoNotOptimize(DecodeJpeg(jpeg.data(), jpeg.size(), out));
  }
}
void BM_Djpeg(benchmark::State& state) { Run(state, "djpeg -outfile /dev/null " + kJpeg); }

void BM_EncodeJpeg(benchmark::State& state) {
  const Bitmap& photo = TwelveMegapixels().bitmap;
  for (auto _ : state) {
    std::vector<std::uint8_t> out;
    benchmark::DoNotOptimize(EncodeJpeg(photo, 90, out));
  }
}
void BM_Cjpeg(benchmark::State& state) { Run(state, "cjpeg -quality 90 -outfile /dev/null " + kPpm); }

void BM_ConvertToGreyScale(benchmark::State& state) {
  Bitmap photo;
  for (auto _ : state) {
    state.PauseTiming();
    photo = TwelveMegapixels().bitmap;  // grey pixels would be skipped
    state.ResumeTiming();
    ConvertToGreyScale(photo);
    benchmark::DoNotOptimize(photo.Row(0));
  }
}
void BM_RotateBitmapQuarter(benchmark::State& state) {
  Bitmap photo = TwelveMegapixels().bitmap;
  for (auto _ : state) {
    RotateBitmapQuarter(int(state.range(0)), photo);
    benchmark::DoNotOptimize(photo.Row(0));
  }
}
// A quarter turn's pixel work alone, into a picture already in memory: the
// peer is BM_Memcpy, where the turn itself pairs with a copy into a new
// picture, whose memory the system must first supply.
void BM_QuarterTurnIntoReusedPicture(benchmark::State& state) {
  const Bitmap& photo = TwelveMegapixels().bitmap;
  Bitmap turned(photo.Height(), photo.Width());  // filled, so in memory before the clock starts
  for (auto _ : state) {
    if (state.range(0) == 90)
      TransposeInto(turned, photo.Row(photo.Height() - 1), 1, -photo.Stride());
    else
      TransposeInto(turned, photo.Row(0) + 3 * (photo.Width() - 1), -1, photo.Stride());
    benchmark::DoNotOptimize(turned.Row(0));
  }
}
// The peer of the quarter turns, which fill a new picture: the same copy
// into freshly allocated memory.
void BM_MemcpyIntoNewPicture(benchmark::State& state) {
  const Bitmap& photo = TwelveMegapixels().bitmap;
  for (auto _ : state) {
    Bitmap copy = Bitmap::Uninitialised(photo.Width(), photo.Height());
    std::memcpy(copy.Row(0), photo.Row(0), std::size_t(photo.Stride()) * 3000);
    benchmark::DoNotOptimize(copy.Row(0));
  }
}
void BM_Memcpy(benchmark::State& state) {
  const Bitmap& photo = TwelveMegapixels().bitmap;
  std::vector<std::uint8_t> copy(std::size_t(photo.Stride()) * 3000);
  for (auto _ : state) {
    std::memcpy(copy.data(), photo.Row(0), copy.size());
    benchmark::DoNotOptimize(copy.data());
  }
}

BENCHMARK(BM_Resample)->DenseRange(kFilterBox, kFilterMitchell)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ResampleFloatRule)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ImageMagick)->DenseRange(kFilterBox, kFilterMitchell)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_ImageMagickResizeAlone)->DenseRange(kFilterBox, kFilterMitchell)->Unit(benchmark::kMillisecond)->Iterations(3)->UseManualTime();
BENCHMARK(BM_ImageMagickCopyOnly)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_ImageMagickCropOnly)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_DecodeJpeg)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Djpeg)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_EncodeJpeg)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Cjpeg)->Unit(benchmark::kMillisecond)->Iterations(5)->UseManualTime();
BENCHMARK(BM_ConvertToGreyScale)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_RotateBitmapQuarter)->Arg(90)->Arg(180)->Arg(270)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_QuarterTurnIntoReusedPicture)->Arg(90)->Arg(270)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_MemcpyIntoNewPicture)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace vemra

BENCHMARK_MAIN();
