#!/usr/bin/env bash
# A permit card printed through the DLL's exports only (VmInit, VmPrint mode
# 0 on the sample EU card) comes out of the PDF printer right: the holder's
# texts, a barcode that decodes to the permit's digits, the photo in its box.
#   print-permit-card.sh BUILD SOURCE
set -euo pipefail
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
check() {  # description, command...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; fail=1; fi
}

data=$work/Data
mkdir -p "$data/Image"
cp "$source"/demo/VemraSDK.ini "$source"/demo/*.cpb "$source"/demo/*.cpc "$source"/demo/0180logo.jpg "$data/"
cp "$source/samples/portrait.jpg" "$data/Image/4711.jpg"
cp "$source/samples/signature.jpg" "$data/Image/s4711.jpg"

"$source/scripts/print-card.sh" "$build" "$data" 0 "$work/card.pdf" \
  4711 Lindqvist Åsa 0180-123-45F 2027-03-05 "" "Storgatan 1" "111 22 Stockholm" "" Operatör
pdftoppm -r 300 -png "$work/card.pdf" "$work/page"

# pdftotext gives a soft hyphen for the hyphen glyph.
text() { pdftotext -f "$1" -l "$1" "$work/card.pdf" - | sed 's/\xc2\xad/-/g'; }
contains() { grep -qF -- "$2" <<<"$1"; }
front=$(text 1)
back=$(text 2)
check "holder's name on the front" contains "$front" "Åsa Lindqvist"
check "permit number normalised" contains "$front" "0180-00123-45K"
check "valid-until date" contains "$front" "5-MAR-2027"
check "operator on the back" contains "$back" "Operatör"

barcode=$(zbarimg --raw -q "$work"/page-2.png 2>/dev/null || true)
check "barcode decodes to streckkod with its check digit" test "$barcode" = "0180001232"

# The photo box is 3, 12, 24 x 32 mm: 35, 142, 283 x 378 pixels at 300 dpi;
# the square portrait keeps its aspect, centred: rows 190 to 472.
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:; }
near() {  # "r g b" "r g b" tolerance
  local a=($1) b=($2)
  for i in 0 1 2; do
    local d=$(( a[i] - b[i] )); d=${d#-}
    [ "$d" -le "$3" ] || return 1
  done
}
background="225 236 248"
check "card background above the photo" near "$(pixel "$work/page-1.png" 176 160)" "$background" 6
check "photo centred in its box" near "$(pixel "$work/page-1.png" 176 331)" \
  "$(pixel "$source/samples/portrait.jpg" 256 256)" 40
check "no photo outside its box" near "$(pixel "$work/page-1.png" 330 331)" "$background" 6

[ $fail = 0 ] && echo "the printed card is right"
exit $fail
