#!/usr/bin/env bash
# Runs imaging_times from the native build and from the Windows build under
# Wine, one after the other on the same machine, and prints their lines side
# by side with the load average at the start of each.
#   bench/imaging/side-by-side.sh [rounds]    (from the repository, both builds made)
set -euo pipefail
cd "$(dirname "$0")/../.."
rounds=${1:-5}
native=build/native/bench/imaging/imaging_times
windows=build/win32/bench/win32/imaging_times.exe
echo "native (x86-64) load: $(cut -d' ' -f1-3 /proc/loadavg)"
a=$("$native" "$rounds")
echo "win32 (i686, Wine) load: $(cut -d' ' -f1-3 /proc/loadavg)"
b=$(scripts/wine-run.sh "$windows" "$rounds" 2>/dev/null | tr -d '\r')
printf '%-28s %19s   %19s\n%-28s %9s %9s   %9s %9s\n' "" "native" "win32 under Wine" "case" "ms" "x memcpy" "ms" "x memcpy"
paste <(sed 1d <<<"$a") <(sed 1d <<<"$b") |
  awk -F'\t' '{ n = split($1, l, " +"); split($2, r, " +"); name = l[1];
                for (i = 2; i <= n - 2; ++i) name = name " " l[i];
                wn = split($2, r, " +");
                printf "%-28s %9s %9s   %9s %9s\n", name, l[n-1], l[n], r[wn-1], r[wn] }'
