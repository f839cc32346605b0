#!/usr/bin/env bash
# The main job: builds the DLL and the host stand-in, lays out a demo data
# folder (settings, municipality, sample card layouts, a holder's photo and
# signature), and has vmhost print the EU card and the older card through
# the DLL's exports to the PDF printer, as the host program does.
# The DLL is the one this machine can run: the 32-bit one that today's host
# loads, or the 64-bit one where the kernel starts 64-bit programs only.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
trap 'echo "demo: stopped: \"$BASH_COMMAND\" failed (exit status $?)" >&2' ERR
"$root/scripts/setup.sh"
. "$root/scripts/wine-env.sh"
if machine_runs_32bit; then
  preset=win32 dll="32-bit"
elif machine_runs_wine64; then
  preset=win64 dll="64-bit"
else
  echo "demo: this machine cannot run the DLL: its kernel starts no 32-bit programs and 64-bit Wine ($wine64_loader) is missing." >&2
  exit 1
fi
echo "== Printing through the $dll VemraSDK.dll (build/$preset)"
cmake --preset $preset >/dev/null
cmake --build --preset $preset --target VemraSDK vmhost
"$root/scripts/printing.sh" >/dev/null

out=$root/out/demo
data=$out/Data
rm -rf "$out" && mkdir -p "$data/Image"
cp demo/VemraSDK.ini demo/*.cpb demo/*.cpc demo/0180logo.jpg "$data/"
cp samples/portrait.jpg "$data/Image/123.jpg"
cp samples/signature.jpg "$data/Image/s123.jpg"

build=$root/build/$preset
export LC_ALL=sv_SE.UTF-8
(wine_env "$build" && "$root/scripts/wine-prefix.sh" "$WINEPREFIX" $preset)
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
  wine_env "$build"
  "$WINE" wineboot -i >/dev/null 2>&1
  echo "== Preview of the EU card (vmhost print 2 ...): close it with Stäng"
  "$WINE" "$build/bin/vmhost.exe" init "Z:${data//\//\\}" + print 2 "${holder[@]}" < /dev/null | tr -d '\r'
fi

echo
echo "Printed through the $dll VemraSDK.dll:"
ls -1 "$out"/*.pdf "$out"/*.png
[ ! -f "$data/VemraSDK.log" ] || { echo; echo "The library's log:"; iconv -f CP1252 -t UTF-8 "$data/VemraSDK.log"; }
