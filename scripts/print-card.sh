#!/usr/bin/env bash
# Prints one permit card through the DLL's exports, as the host does, on the
# CUPS PDF printer, and moves the PDF it became to OUT_PDF.
#   print-card.sh BUILD DATA_FOLDER MODE OUT_PDF [vmhost print arguments after MODE]
set -euo pipefail
build=$1 data=$2 mode=$3 out=$4
shift 4
here=$(cd "$(dirname "$0")" && pwd)
pdfs=$HOME/PDF
mkdir -p "$pdfs"
before=$(ls "$pdfs" 2>/dev/null | sort)

windata="Z:$(cd "$data" && pwd | sed 's#/#\\#g')"
result=$(VEMRA_WIN32_BUILD=$build "$here/wine-run.sh" "$build/bin/vmhost.exe" \
           init "$windata" + print "$mode" "$@" < /dev/null | tr -d '\r' | iconv -f CP1252 -t UTF-8)
echo "$result"
echo "$result" | tail -1 | grep -q -- '-> 0$' || { echo "print-card: the print request failed" >&2; exit 1; }

# The spooler writes the PDF a few seconds after the document ends.
for _ in $(seq 1 120); do
  new=$(comm -13 <(echo "$before") <(ls "$pdfs" | sort) | grep '\.pdf$' | head -1 || true)
  if [ -n "$new" ] && [ -s "$pdfs/$new" ]; then
    size=$(stat -c %s "$pdfs/$new"); sleep 1
    if [ "$size" = "$(stat -c %s "$pdfs/$new")" ] && tail -c 1024 "$pdfs/$new" | grep -q '%%EOF'; then
      mv "$pdfs/$new" "$out"
      exit 0
    fi
  fi
  sleep 0.5
done
echo "print-card: no PDF appeared in $pdfs" >&2
exit 1
