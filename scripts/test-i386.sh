#!/usr/bin/env bash
# The portable code and its unit tests as 32-bit Linux programs, with the
# DLL's word size and SSE2, run by CTest under qemu-i386: the stand-in for
# the Wine run on a machine whose kernel cannot run 32-bit programs.
# Installs what it needs the first time (as root, or with sudo).
#   scripts/test-i386.sh [ctest arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${VEMRA_CACHE:-$HOME/.cache/vemrasdk}
sudo=""; [ "$(id -u)" = 0 ] || sudo=sudo

if ! command -v qemu-i386-static >/dev/null || [ ! -d /usr/lib/gcc/x86_64-linux-gnu/12/32 ]; then
  $sudo apt-get install -y g++-multilib qemu-user-static nasm dpkg-dev >/dev/null
fi

# libjpeg-turbo for 32-bit Linux, from Debian's source like the DLL's.
prefix=$cache/libjpeg-turbo-i386
if [ ! -f "$prefix/lib/libjpeg.a" ]; then
  echo "test-i386: building libjpeg-turbo for 32-bit Linux"
  "$root/scripts/build-libjpeg.sh" "$root/cmake/linux-i386.cmake" "$prefix" -DCMAKE_POSITION_INDEPENDENT_CODE=ON
fi

cd "$root"
cmake --preset i386 -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build --preset i386
cd build/i386
# The pixel code once more on a processor without SSSE3 (SSE2 only), where
# the turns take their plain path.
if ! plain=$(QEMU_CPU=coreduo qemu-i386-static tests/imaging_tests 2>&1); then
  printf '%s\n' "$plain"
  echo "test-i386: imaging tests without SSSE3 FAILED"
  exit 1
fi
echo "test-i386: imaging tests without SSSE3: $(tail -1 <<<"$plain")"
ctest --no-tests=error --output-on-failure -j2 --timeout 900 "$@"
