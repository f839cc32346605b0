#!/usr/bin/env bash
# Makes a Wine prefix for the tests once: null graphics driver (windows work
# without X), fonts that render Swedish letters, the Swedish locale.
#   wine-prefix.sh PREFIX [win32|win64]
set -euo pipefail
prefix=${1:?usage: wine-prefix.sh PREFIX [win32|win64]}
prefix=$(realpath -m "$prefix")  # Wine takes absolute prefixes only
word_size=${2:-win32}
[ -f "$prefix/.vemra-ready" ] && exit 0
export WINEPREFIX=$prefix WINEDEBUG=-all LC_ALL=sv_SE.UTF-8
export WINEDLLOVERRIDES=mscoree,mshtml=
. "$(dirname "$0")/wine-env.sh"
wine_loader "$word_size"
mkdir -p "$prefix"
"$WINE" wineboot -i >/dev/null 2>&1
reg() { "$WINE" reg add "$@" /f >/dev/null 2>&1; }
reg 'HKCU\Software\Wine\Drivers' /v Graphics /d null
reg 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d 'Liberation Sans'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif'
reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Courier New' /d 'Liberation Mono'
fonts=$prefix/drive_c/windows/Fonts
mkdir -p "$fonts"
for f in tahoma.ttf tahomabd.ttf marlett.ttf sserife.fon; do
  [ -f /usr/share/wine/fonts/$f ] && cp -f /usr/share/wine/fonts/$f "$fonts/"
done
wineserver -w
touch "$prefix/.vemra-ready"
