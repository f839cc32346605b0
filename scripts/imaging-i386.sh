#!/usr/bin/env bash
# Builds the portable pixel code and its tests as a 32-bit Linux program and
# runs it under qemu-i386, with and without SSSE3: the DLL's 32-bit code
# paths checked on a machine whose kernel cannot run 32-bit programs (and
# so cannot run Wine). JPEG is left out; its tests run in the other builds.
#   scripts/imaging-i386.sh        (as root the first time: installs packages)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/imaging-i386
sudo=""; [ "$(id -u)" = 0 ] || sudo=sudo
command -v qemu-i386-static >/dev/null && [ -d /usr/lib/gcc/x86_64-linux-gnu/12/32 ] ||
  $sudo apt-get install -y g++-multilib qemu-user-static googletest >/dev/null
mkdir -p "$out"
cd "$out"
gtest=/usr/src/googletest/googletest
flags=(-m32 -msse2 -mfpmath=sse -O2 -std=c++20 -I"$root/src" -I"$root/tests" -I"$gtest/include"
       -DVEMRA_TEST_DATA="\"$root/tests/data\"")
cat > no-jpeg.cpp <<'CPP'
#include <stdexcept>
#include "imaging/PictureCodecs.h"
namespace vemra {
bool DecodeJpeg(const std::uint8_t*, std::size_t, Bitmap&, const DrawSize&) { throw std::logic_error("no JPEG here"); }
bool EncodeJpeg(const Bitmap&, int, std::vector<std::uint8_t>&) { throw std::logic_error("no JPEG here"); }
}
CPP
sources=(no-jpeg.cpp "$gtest/src/gtest-all.cc" "$gtest/src/gtest_main.cc"
         "$root"/src/base/*.cpp "$root"/tests/imaging/{TurnAndGreyTest,ResampleExactnessTest,ResamplePlanTest,RasterTest}.cpp)
for f in "$root"/src/imaging/*.cpp; do [ "$(basename "$f")" = JpegCodec.cpp ] || sources+=("$f"); done
objects=()
for f in "${sources[@]}"; do
  o=$(basename "${f%.*}").o
  objects+=("$o")
  g++ "${flags[@]}" -I"$gtest" -c "$f" -o "$o" &
  while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n; done
done
wait
g++ -m32 -o imaging_tests_i386 "${objects[@]}" -lpthread
echo "with SSSE3:"; QEMU_CPU=max qemu-i386-static ./imaging_tests_i386 | tail -1
echo "SSE2 only:"; QEMU_CPU=coreduo qemu-i386-static ./imaging_tests_i386 | tail -1
