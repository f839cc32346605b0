// One card through LayoutRenderer the way the print job draws it: BeginJob
// on the output, then DrawLayoutList, which also fills the shadow picture.
// Printing goes to a white card-size page at 300 dpi; the preview to the
// job's 1188 x 1188 picture at scale 0.5, cut to the card afterwards.
//
// Peers, same process and run:
//  - BM_CopyCardBitmap: one copy of a card-size 24-bit bitmap at 300 dpi,
//    the least any job must do (it writes every pixel of the card). The
//    ratio reads as "a card costs N plain copies of itself" and moves with
//    the machine's memory speed as the job does, so it carries from this
//    machine to another and compares with the same peer under Wine.
//  - BM_DecodePortrait: decoding the 512 x 512 sample photo, a familiar
//    cost of the same order, for scale.
//
// On a shared machine compare CPU times; about ten seconds with
//   layout_bench --benchmark_min_time=0.2 --benchmark_repetitions=3
//                --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchCanvas.h"
#include "BenchCard.h"
#include "base/FileSystem.h"
#include "base/RegionalFormats.h"
#include "layout/render/LayoutRenderer.h"
#include "layout/printing/PrintJob.h"

namespace vemra::bench {
namespace {

struct Job : CardJob {
  explicit Job(int dpi) : CardJob("/tmp/") { env.makeBitmapCanvas = BenchCanvasFactory(dpi); }
};

bool PhotoDrawn(const Bitmap& picture, double pixelsPerMm) {
  const int left = int(kPhotoLeftMm * pixelsPerMm), top = int(kPhotoTopMm * pixelsPerMm);
  const int width = int(kPhotoWidthMm * pixelsPerMm), height = int(kPhotoHeightMm * pixelsPerMm);
  return InkedPixels(picture, left, top, width, height) > width * height / 2;
}

void BM_RenderCard(benchmark::State& state) {
  Job job(300);
  LayoutRenderer renderer(job.env);
  for (auto _ : state) {
    BenchCanvas page(kCardWidth300, kCardHeight300, 300);
    renderer.BeginJob(page, OutputKind::Printer, 1.0);
    renderer.DrawLayoutList(job.card, 0, 0, 0);
    benchmark::DoNotOptimize(page.Pixels().Row(0));
    state.PauseTiming();
    if (!PhotoDrawn(page.Pixels(), 300 / 25.4)) state.SkipWithError("photo not drawn");
    state.ResumeTiming();
  }
}

// The preview picture's own resolution: a screen-compatible bitmap reports
// 96 dpi; 300 shows the same card with the printer's pixel density.
void BM_PreviewCard(benchmark::State& state) {
  const int dpi = int(state.range(0));
  Job job(dpi);
  LayoutRenderer renderer(job.env);
  for (auto _ : state) {
    BenchCanvas surface(kPreviewPictureSize, kPreviewPictureSize, dpi);
    renderer.BeginJob(surface, OutputKind::Preview, 0.5);
    renderer.DrawLayoutList(job.card, 0, 0, 0);
    // The job shows the picture cut to the card.
    const PixelSize extents = renderer.JobExtents();
    Bitmap shown(extents.width, extents.height);
    for (int y = 0; y < extents.height; ++y)
      std::copy_n(surface.Pixels().Row(y), std::size_t(extents.width) * 3, shown.Row(y));
    benchmark::DoNotOptimize(shown.Row(0));
    state.PauseTiming();
    if (!PhotoDrawn(shown, 0.5 * dpi / 25.4)) state.SkipWithError("photo not drawn");
    state.ResumeTiming();
  }
}

void BM_CopyCardBitmap(benchmark::State& state) {
  Bitmap card(kCardWidth300, kCardHeight300);
  for (int y = 0; y < card.Height(); ++y) std::fill_n(card.Row(y), card.Width() * 3, 0x7F);
  for (auto _ : state) {
    Bitmap copy = card;
    benchmark::DoNotOptimize(copy.Row(0));
    benchmark::ClobberMemory();
  }
}

void BM_DecodePortrait(benchmark::State& state) {
  const auto jpeg = ReadFileBytes(std::string(VEMRA_SAMPLES) + "/portrait.jpg");
  for (auto _ : state) {
    Bitmap out;
    benchmark::DoNotOptimize(DecodeJpeg(jpeg.data(), jpeg.size(), out));
  }
}

BENCHMARK(BM_RenderCard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewCard)->Arg(96)->Arg(300)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyCardBitmap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodePortrait)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vemra::bench

BENCHMARK_MAIN();
