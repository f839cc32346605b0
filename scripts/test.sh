#!/usr/bin/env bash
# Runs every test: the native build's unit tests, the same again under the
# sanitizers, then the Windows build's tests under Wine (portable tests
# again, platform tests, the DLL in a host).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"
export LC_ALL=sv_SE.UTF-8

# Warnings fail the build here: one of them was a picture's name never set.
strict=-DCMAKE_COMPILE_WARNING_AS_ERROR=ON

summary=()
run_ctest() {  # name, build folder
  local log=$2/ctest.log status=0
  (cd "$2" && ctest --no-tests=error --output-on-failure -j2 --timeout 900) 2>&1 | tee "$log" || status=$?
  summary+=("$1: $(grep -E 'tests passed' "$log" | tail -1)")
  return $status
}

cmake --preset native "$strict" >/dev/null
cmake --build --preset native
status=0
run_ctest native build/native || status=$?

# The same unit tests once more under AddressSanitizer and UBSan (a Debug
# build of its own): any report fails the test that caused it.
cmake --preset sanitize "$strict" >/dev/null
cmake --build --preset sanitize
UBSAN_OPTIONS=print_stacktrace=1 run_ctest sanitize build/sanitize || status=$?

cmake --preset win32 "$strict" >/dev/null
cmake --build --preset win32
# Wine runs 32-bit Linux programs; some virtual machines' kernels cannot
# (their hosts run 64-bit code only, and exec says "Exec format error").
# There the Windows tests cannot start at all: the build above still checks
# that they compile, the portable tests run again as 32-bit programs under
# qemu instead, and the summary says plainly that the Windows tests did not run.
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  echo "test: this machine cannot run 32-bit programs, so Wine cannot start; the Windows tests were built, not run"
  summary+=("win32: NOT RUN: this machine cannot run 32-bit programs")
  "$root/scripts/test-i386.sh" 2>&1 | tee build/i386-ctest.log || status=1
  summary+=("i386 under qemu: $(grep -E 'tests passed' build/i386-ctest.log | tail -1 || true)")
  printf '%s\n' "${summary[@]}"
  exit $status
fi
"$root/scripts/printing.sh" || echo "test: no CUPS printer; printing tests will say so"
export WINEPREFIX=$root/build/win32/wineprefix WINEDEBUG=-all
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
# One wineserver for the whole run: each test process then starts in a
# fraction of a second. Started here, not inside ctest, so that Wine's
# service processes do not hold ctest's output pipe open.
setsid wineserver -p >/dev/null 2>&1 < /dev/null || true
wine cmd /c exit >/dev/null 2>&1 < /dev/null || true
run_ctest win32 build/win32 || status=$?
wineserver -k >/dev/null 2>&1 || true

printf '%s\n' "${summary[@]}"
exit $status
