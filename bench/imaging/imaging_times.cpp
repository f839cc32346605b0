// imaging_times [rounds] [ppm]: the pixel operations of the imaging
// benchmark as a plain program, built natively and for Windows, so the
// 64-bit code and the DLL's 32-bit code can be set side by side on one
// machine (Google Benchmark is built natively only). Each line is the median
// of `rounds` (default 5) on a 12-megapixel picture, in this thread's
// processor time (wall time suffers from other load on the machine), and
// that time as a multiple of a memcpy of the picture in the same run. A
// round repeats the operation until it has used 100 ms, since Windows
// counts thread time in coarse ticks. With `ppm` the picture is also written
// there, for peers such as ImageMagick.
//
// Under Wine: scripts/wine-run.sh <build>/bench/win32/imaging_times.exe 5
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <time.h>
#endif

#include "imaging/LynImageEx.h"
#include "imaging/Resample.h"
#include "imaging/Rotate.h"
#include "imaging/Transpose.h"

namespace vemra {
namespace {

constexpr int kWidth = 4000, kHeight = 3000;

// Smooth shading with a little noise: content does not change the work
// any of these operations do.
Bitmap Photo() {
  Bitmap b(kWidth, kHeight);
  unsigned noise = 12345;
  for (int y = 0; y < kHeight; ++y) {
    std::uint8_t* p = b.Row(y);
    for (int x = 0; x < kWidth; ++x, p += 3) {
      noise = noise * 1103515245u + 12345u;
      const int n = int(noise >> 28);
      p[0] = std::uint8_t((x * 255 / kWidth + n) & 0xFF);
      p[1] = std::uint8_t((y * 255 / kHeight + n) & 0xFF);
      p[2] = std::uint8_t(((x + y) * 127 / (kWidth + kHeight) + 64 + n) & 0xFF);
    }
  }
  return b;
}

void WritePpm(const Bitmap& b, const std::string& path) {
  std::ofstream out(path, std::ios::binary);
  out << "P6\n" << b.Width() << " " << b.Height() << "\n255\n";
  std::vector<char> row(std::size_t(b.Width()) * 3);
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x)
      for (int c = 0; c < 3; ++c) row[std::size_t(3 * x + c)] = char(b.Row(y)[3 * x + 2 - c]);
    out.write(row.data(), std::streamsize(row.size()));
  }
}

double ThreadCpuMs() {
#if defined(_WIN32)
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ticks = [](FILETIME t) { return double(ULONGLONG(t.dwHighDateTime) << 32 | t.dwLowDateTime); };
  return (ticks(kernel) + ticks(user)) / 1e4;
#else
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
#endif
}

// `prepare` runs before each call; its time is measured apart and taken off.
double MedianMs(int rounds, const std::function<void()>& prepare, const std::function<void()>& work) {
  constexpr double kRoundMs = 100;
  std::vector<double> times;
  for (int r = 0; r < rounds; ++r) {
    double spent = 0, preparing = 0;
    int calls = 0;
    const double start = ThreadCpuMs();
    while (spent < kRoundMs || calls == 0) {
      const double before = ThreadCpuMs();
      prepare();
      preparing += ThreadCpuMs() - before;
      work();
      ++calls;
      spent = ThreadCpuMs() - start - preparing;
    }
    times.push_back(spent / calls);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void CopyPixels(const Bitmap& from, Bitmap& to) {
  std::memcpy(to.Row(0), from.Row(0), std::size_t(from.Stride()) * std::size_t(from.Height()));
}

int Run(int rounds) {
  const Bitmap photo = Photo();
  Bitmap work = photo, copy = photo;
  const auto nothing = [] {};
  const double memcpyMs = MedianMs(rounds, nothing, [&] { CopyPixels(photo, copy); });
  std::printf("%-28s %9s %9s\n", "case", "ms", "x memcpy");
  auto report = [&](const char* name, double ms) { std::printf("%-28s %9.2f %9.2f\n", name, ms, ms / memcpyMs); };
  report("memcpy", memcpyMs);
  report("memcpy into a new picture", MedianMs(rounds, nothing, [&] {
    Bitmap fresh = Bitmap::Uninitialised(kWidth, kHeight);
    CopyPixels(photo, fresh);
  }));

  const char* names[] = {"Box", "Triangle", "Hermite", "Bell", "B-Spline", "Lanczos3", "Mitchell"};
  for (int filter = kFilterBox; filter <= kFilterMitchell; ++filter) {
    const std::string name = std::string("resize ") + names[filter];
    report(name.c_str(), MedianMs(rounds, nothing, [&] {
      Bitmap out(1000, 750);
      ResampleBitmap(photo, out, filter);
    }));
  }
  report("resize Mitchell, float rule", MedianMs(std::min(rounds, 3), nothing, [&] {
    Bitmap out(1000, 750);
    ResampleBitmapExact(photo, out, kFilterMitchell);
  }));

  const auto restore = [&] { CopyPixels(photo, work); };
  report("grey scale", MedianMs(rounds, restore, [&] { ConvertToGreyScale(work); }));
  for (int angle : {90, 180, 270}) {
    const std::string name = "rotate " + std::to_string(angle);
    report(name.c_str(), MedianMs(rounds, [&] { work = photo; }, [&] { RotateBitmapQuarter(angle, work); }));
  }
  // The turns' pixel work alone, beside the plain memcpy: no new picture.
  Bitmap turned(kHeight, kWidth);
  report("rotate 90, reused picture", MedianMs(rounds, nothing, [&] {
    TransposeInto(turned, photo.Row(kHeight - 1), 1, -photo.Stride());
  }));
  report("rotate 270, reused picture", MedianMs(rounds, nothing, [&] {
    TransposeInto(turned, photo.Row(0) + 3 * (kWidth - 1), -1, photo.Stride());
  }));
  return 0;
}

}  // namespace
}  // namespace vemra

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  if (argc > 2) vemra::WritePpm(vemra::Photo(), argv[2]);
  return vemra::Run(rounds);
}
