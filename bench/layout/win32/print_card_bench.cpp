// Times the bench card through LayoutRenderer on GDI, as the DLL's print
// job draws it, spooler left out: printing into a card-size 24-bit DIB
// section that reports 300 dpi, and the preview into the job's 1188 x 1188
// picture at scale 0.5. Each figure is the median of several rounds.
//
// Peers in the same run:
//  - BitBlt of a card-size 24-bit DIB section into another: GDI's own
//    plainest pass over the card's pixels, so "a card costs N blits" holds
//    on Windows and under Wine alike.
//  - memcpy of the same pixels: identical machine code natively and here,
//    so it ties these figures to the native benchmark's copy peer.
//
// print_card_bench [cards per round] [folder to write card.bmp and preview.bmp]
// Under Wine: scripts/wine-run.sh <build>/print_card_bench.exe 20 (about 20 s
// with a fresh wineserver). Exits 2 when the photo or the texts are missing.
#include "layout/render/win32/GdiCanvas.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "BenchCard.h"
#include "layout/render/ForwardingCanvas.h"
#include "base/FileSystem.h"
#include "base/RegionalFormats.h"
#include "imaging/PictureCodecs.h"
#include "layout/render/LayoutRenderer.h"
#include "layout/printing/PrintJob.h"
#include "layout/render/win32/GdiRenderHooks.h"

namespace vemra::bench {
namespace {

// A canvas that draws on another and reports another resolution: a memory
// DC says the screen's 96 dpi, the card printer 300.
class ResolutionCanvas final : public ForwardingCanvas<> {
 public:
  ResolutionCanvas(Canvas& target, int dpi) : ForwardingCanvas(target), dpi_(dpi) {}
  int DeviceCaps(DeviceCap cap) const override {
    if (cap == DeviceCap::LogPixelsX || cap == DeviceCap::LogPixelsY) return dpi_;
    return ForwardingCanvas::DeviceCaps(cap);
  }

 private:
  int dpi_;
};

struct Job : CardJob {
  Job() : CardJob("C:\\") { BindWin32RenderHooks(env, nullptr); }
};

double MedianMsPerCall(int calls, const std::function<void()>& call) {
  constexpr int kRounds = 7;
  call();  // warm: fonts, caches and the heap settle
  std::vector<double> rounds;
  for (int r = 0; r < kRounds; ++r) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) call();
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    rounds.push_back(spent.count() / calls);
  }
  std::sort(rounds.begin(), rounds.end());
  return rounds[kRounds / 2];
}

void Save(const std::string& path, const Bitmap& picture) {
  std::vector<std::uint8_t> bytes;
  if (!WriteBmp(picture, bytes)) return;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              std::streamsize(bytes.size()));
}

int Run(int cards, const std::string& saveFolder) {
  Job job;
  LayoutRenderer renderer(job.env);

  Bitmap printed, previewed;
  const double print = MedianMsPerCall(cards, [&] {
    GdiBitmapCanvas page(kCardWidth300, kCardHeight300);
    ResolutionCanvas printer(page, 300);
    renderer.BeginJob(printer, OutputKind::Printer, 1.0);
    renderer.DrawLayoutList(job.card, 0, 0, 0);
    GdiFlush();
  });
  // Rendered once more outside the timing, to check and keep.
  {
    GdiBitmapCanvas page(kCardWidth300, kCardHeight300);
    ResolutionCanvas printer(page, 300);
    renderer.BeginJob(printer, OutputKind::Printer, 1.0);
    renderer.DrawLayoutList(job.card, 0, 0, 0);
    printed = page.Pixels();
  }

  auto previewAt = [&](int dpi) {
    return MedianMsPerCall(cards, [&] {
      GdiBitmapCanvas surface(kPreviewPictureSize, kPreviewPictureSize);
      ResolutionCanvas screen(surface, dpi);
      renderer.BeginJob(screen, OutputKind::Preview, 0.5);
      renderer.DrawLayoutList(job.card, 0, 0, 0);
      const PixelSize extents = renderer.JobExtents();
      const Bitmap& all = surface.Pixels();
      previewed = Bitmap(extents.width, extents.height);
      for (int y = 0; y < extents.height; ++y)
        std::memcpy(previewed.Row(y), all.Row(y), std::size_t(extents.width) * 3);
    });
  };
  GdiBitmapCanvas probe(1, 1);
  const int screenDpi = probe.DeviceCaps(DeviceCap::LogPixelsY);
  const double preview300 = previewAt(300);
  const double previewScreen = previewAt(screenDpi);

  GdiBitmapCanvas from(kCardWidth300, kCardHeight300), to(kCardWidth300, kCardHeight300);
  const double blit = MedianMsPerCall(cards * 10, [&] {
    BitBlt(to.Dc(), 0, 0, kCardWidth300, kCardHeight300, from.Dc(), 0, 0, SRCCOPY);
    GdiFlush();
  });
  const std::vector<std::uint8_t> source(std::size_t(kCardWidth300) * 3 * kCardHeight300, 0x7F);
  std::vector<std::uint8_t> target(source.size());
  const double copy = MedianMsPerCall(cards * 10, [&] {
    std::memcpy(target.data(), source.data(), source.size());
    asm volatile("" : : "r"(target.data()) : "memory");
  });

  const double mm300 = 300 / 25.4;
  const int photoInk = InkedPixels(printed, int(kPhotoLeftMm * mm300), int(kPhotoTopMm * mm300),
                                   int(kPhotoWidthMm * mm300), int(kPhotoHeightMm * mm300));
  // Texts and the barcode: the card right of the photo.
  const int restInk = InkedPixels(printed, int(29 * mm300), 0, kCardWidth300, kCardHeight300);

  std::printf("cards per round %d, median of 7 rounds; screen %d dpi\n", cards, screenDpi);
  std::printf("%-34s %9.3f ms  %7.1fx blit  %7.1fx memcpy\n", "print card 300 dpi", print,
              print / blit, print / copy);
  std::printf("%-34s %9.3f ms  %7.1fx blit  %7.1fx memcpy\n", "preview card 0.5, 300 dpi",
              preview300, preview300 / blit, preview300 / copy);
  std::printf("%-34s %9.3f ms  %7.1fx blit  %7.1fx memcpy\n",
              ("preview card 0.5, " + std::to_string(screenDpi) + " dpi").c_str(), previewScreen,
              previewScreen / blit, previewScreen / copy);
  std::printf("%-34s %9.3f ms\n", "peer: BitBlt card 24-bit", blit);
  std::printf("%-34s %9.3f ms\n", "peer: memcpy card 24-bit", copy);
  std::printf("inked pixels: photo box %d, texts and barcode %d\n", photoInk, restInk);

  if (!saveFolder.empty()) {
    Save(saveFolder + "\\card.bmp", printed);
    Save(saveFolder + "\\preview.bmp", previewed);
  }
  // A card without its photo or texts timed nothing worth reporting.
  const double photoArea = kPhotoWidthMm * kPhotoHeightMm * mm300 * mm300;
  return photoInk > photoArea / 2 && restInk > 0 ? 0 : 2;
}

}  // namespace
}  // namespace vemra::bench

int main(int argc, char** argv) {
  try {
    const int cards = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    return vemra::bench::Run(cards, argc > 2 ? argv[2] : "");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "print_card_bench: %s\n", e.what());
    return 1;
  }
}
