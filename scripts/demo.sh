#!/usr/bin/env bash
# The main job: builds the DLL and the host stand-in, lays out a demo data
# folder (settings, municipality, a holder's photo and signature) and drives
# the library through its exports as the host program does.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target VemraSDK vmhost

out=$root/out/demo
data=$out/Data
rm -rf "$out" && mkdir -p "$data/Image"
cp demo/VemraSDK.ini "$data/"
cp samples/portrait.jpg "$data/Image/123.jpg"
cp samples/signature.jpg "$data/Image/s123.jpg"

export WINEPREFIX=$root/build/win32/wineprefix WINEDEBUG=-all LC_ALL=sv_SE.UTF-8
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
windata="Z:${data//\//\\}"
host() { wine "$root/build/win32/bin/vmhost.exe" "$@" < /dev/null | tr -d '\r'; }

echo "== The host's session with VemraSDK.dll"
host version + init "  $windata  " + exists 123 + exists 999 + scan 5 123 \
  + print 0 123 Andersson Anna 0180-123-45F 2027-03-05 "" "Storgatan 1" "111 22 Stockholm" "" Operatör \
  | iconv -f CP1252 -t UTF-8 | tee "$out/session.txt"
echo
echo "== Settings the library read from $data/VemraSDK.ini"
iconv -f CP1252 -t UTF-8 "$data/VemraSDK.ini" | tr -d '\r'
if [ -f "$data/VemraSDK.log" ]; then
  echo
  echo "== Its log, $data/VemraSDK.log"
  iconv -f CP1252 -t UTF-8 "$data/VemraSDK.log" | tr -d '\r'
fi
echo
echo "The session's results are in $out/session.txt"
