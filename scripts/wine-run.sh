#!/usr/bin/env bash
# Runs a Windows program of a build under the Wine of its word size, in the
# build's own prefix, with the Swedish user locale. CTest uses it as the
# crosscompiling emulator.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=$1
build=${VEMRA_WIN32_BUILD:-}
if [ -z "$build" ]; then
  # The build folder is the nearest parent holding CMakeCache.txt.
  build=$(cd "$(dirname "$exe")" && pwd)
  while [ "$build" != / ] && [ ! -f "$build/CMakeCache.txt" ]; do build=$(dirname "$build"); done
fi
. "$here/wine-env.sh"
wine_env "$build"
export LC_ALL=${VEMRA_LOCALE:-sv_SE.UTF-8}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
[ -f "$WINEPREFIX/.vemra-ready" ] || "$here/wine-prefix.sh" "$WINEPREFIX" "$WORD_SIZE" >&2
exec "$WINE" "$@"
