#!/usr/bin/env bash
# Runs every test: the native build's unit tests, the same again under the
# sanitizers, the static checks of the 32-bit DLL that ships, then the
# Windows tests (portable tests again, platform tests, the DLL in a host)
# under the Wine this machine can run: the 32-bit build under 32-bit Wine,
# or, where the kernel runs 64-bit programs only, the 64-bit build under
# 64-bit Wine and the portable tests as 32-bit programs under qemu.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"
. "$root/scripts/wine-env.sh"
export LC_ALL=sv_SE.UTF-8

# Warnings fail the build here: one of them was a picture's name never set.
strict=-DCMAKE_COMPILE_WARNING_AS_ERROR=ON

summary=()
run_ctest() {  # name, build folder, [ctest arguments]
  local name=$1 build=$2 log=$2/ctest.log status=0
  shift 2
  (cd "$build" && ctest --no-tests=error --output-on-failure -j2 --timeout 900 "$@") 2>&1 | tee "$log" || status=$?
  summary+=("$name: $(grep -E 'tests passed' "$log" | tail -1)")
  return $status
}

build() {  # preset [targets...]
  local preset=$1
  shift
  cmake --preset "$preset" "$strict" >/dev/null
  if [ $# -gt 0 ]; then cmake --build --preset "$preset" --target "$@"; else cmake --build --preset "$preset"; fi
}

# The Windows tests of one build, in its own prefix with one wineserver
# for the whole run: each test process then starts in a fraction of a
# second. The server is started here, not inside ctest, so that Wine's
# service processes do not hold ctest's output pipe open.
run_windows_tests() {  # preset
  local folder=$root/build/$1 status=0
  "$root/scripts/printing.sh" || echo "test: no CUPS printer; printing tests will say so"
  wine_env "$folder"
  "$root/scripts/wine-prefix.sh" "$WINEPREFIX" "$1"
  setsid wineserver -p >/dev/null 2>&1 < /dev/null || true
  "$WINE" cmd /c exit >/dev/null 2>&1 < /dev/null || true
  run_ctest "$1" "$folder" || status=$?
  wineserver -k >/dev/null 2>&1 || true
  unset WINEPREFIX WINEARCH WINELOADER WINE
  return $status
}

run_i386_tests() {
  local status=0
  "$root/scripts/test-i386.sh" 2>&1 | tee build/i386-ctest.log || status=1
  summary+=("i386 under qemu: $(grep -E 'tests passed' build/i386-ctest.log | tail -1 || true)")
  return $status
}

status=0
build native
run_ctest native build/native || status=$?

# The same unit tests once more under AddressSanitizer and UBSan (a Debug
# build of its own): any report fails the test that caused it.
build sanitize
UBSAN_OPTIONS=print_stacktrace=1 run_ctest sanitize build/sanitize || status=$?

# The DLL that today's host loads is 32-bit: it is built, and checked as a
# file (exports, imports, hardening, size), on every machine; its test
# programs are built where they can run.
if machine_runs_32bit; then
  build win32
else
  build win32 VemraSDK vmhost vmcheck
fi
run_ctest "win32 DLL as shipped" build/win32 -R '^dll_' || status=$?

if machine_runs_32bit; then
  run_windows_tests win32 || status=$?
elif machine_runs_wine64; then
  echo "test: this machine cannot run 32-bit programs; the Windows tests run with the 64-bit build under 64-bit Wine"
  build win64
  run_windows_tests win64 || status=$?
  # The shipped word size's portable code still runs, as 32-bit Linux programs.
  run_i386_tests || status=$?
else
  echo "test: this machine runs neither 32-bit programs nor 64-bit Wine; the Windows tests were built, not run"
  summary+=("Windows tests: NOT RUN: no Wine this machine can start")
  run_i386_tests || status=$?
fi

printf '%s\n' "${summary[@]}"
exit $status
