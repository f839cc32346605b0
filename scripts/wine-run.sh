#!/usr/bin/env bash
# Runs a Windows program of the build under Wine in the build's own prefix,
# with the Swedish user locale. CTest uses it as the crosscompiling emulator.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$1
build=${VEMRA_WIN32_BUILD:-}
if [ -z "$build" ]; then
  # The build folder is the nearest parent holding CMakeCache.txt.
  build=$(cd "$(dirname "$exe")" && pwd)
  while [ "$build" != / ] && [ ! -f "$build/CMakeCache.txt" ]; do build=$(dirname "$build"); done
fi
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export LC_ALL=${VEMRA_LOCALE:-sv_SE.UTF-8}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
[ -f "$WINEPREFIX/.vemra-ready" ] || "$here/wine-prefix.sh" "$WINEPREFIX" >&2
exec wine "$@"
