#!/usr/bin/env bash
# Builds a static libjpeg-turbo, with its SIMD code, from Debian's own source
# for a target other than this machine (once: an existing one is kept).
#   scripts/build-libjpeg.sh TOOLCHAIN_FILE PREFIX [cmake options]
set -euo pipefail
toolchain=$1
prefix=$2
shift 2
[ -f "$prefix/lib/libjpeg.a" ] && exit 0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1)
dir=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -1)
[ -n "$dir" ] || { echo "build-libjpeg: apt-get source libjpeg-turbo found nothing" >&2; exit 1; }
cmake -Wno-dev -S "$dir" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_SIMD=ON "$@" >/dev/null
cmake --build "$work/build" -j2 >/dev/null
cmake --install "$work/build" >/dev/null
