#!/usr/bin/env bash
# The main job: builds the DLL and the host stand-in, lays out a demo data
# folder (settings, municipality, sample card layouts, a holder's photo and
# signature), and has vmhost print the EU card and the older card through
# the DLL's exports to the PDF printer, as the host program does.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/scripts/setup.sh"
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target VemraSDK vmhost
"$root/scripts/printing.sh" >/dev/null

out=$root/out/demo
data=$out/Data
rm -rf "$out" && mkdir -p "$data/Image"
cp demo/VemraSDK.ini demo/*.cpb demo/*.cpc demo/0180logo.jpg "$data/"
cp samples/portrait.jpg "$data/Image/123.jpg"
cp samples/signature.jpg "$data/Image/s123.jpg"

build=$root/build/win32
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all LC_ALL=sv_SE.UTF-8
"$root/scripts/wine-prefix.sh" "$WINEPREFIX"
holder=(123 Andersson Anna 0180-123-45F 2027-03-05 "c/o Berg" "Storgatan 1" "111 22 Stockholm"
        08-123456 Operatör)

echo "== EU card (vmhost print 0 ...)"
scripts/print-card.sh "$build" "$data" 0 "$out/vemraeu.pdf" "${holder[@]}"
echo "== Older card (vmhost print 1 ...)"
scripts/print-card.sh "$build" "$data" 1 "$out/ortex.pdf" "${holder[@]}"
for card in vemraeu ortex; do
  pdftoppm -r 150 -png "$out/$card.pdf" "$out/$card"
done

if [ -n "${DISPLAY:-}" ]; then
  # The test prefix draws no windows; the preview needs one that does.
  export WINEPREFIX=$out/wineprefix-display
  wineboot -i >/dev/null 2>&1
  echo "== Preview of the EU card (vmhost print 2 ...): close it with Stäng"
  wine "$build/bin/vmhost.exe" init "Z:${data//\//\\}" + print 2 "${holder[@]}" < /dev/null | tr -d '\r'
fi

echo
echo "Printed through VemraSDK.dll:"
ls -1 "$out"/*.pdf "$out"/*.png
[ ! -f "$data/VemraSDK.log" ] || { echo; echo "The library's log:"; iconv -f CP1252 -t UTF-8 "$data/VemraSDK.log"; }
