#!/usr/bin/env bash
# Runs imaging_times from the native build and from the Windows build under
# Wine, one after the other on the same machine, and prints their lines side
# by side with the load average at the start of each. Then sets each build's
# resizes beside ImageMagick's (one thread) resizing the same picture: ten
# resizes in one run less a run with none, over ten, so its starting and
# file reading are not counted.
#   bench/imaging/side-by-side.sh [rounds]    (from the repository, both builds made)
set -euo pipefail
cd "$(dirname "$0")/../.."
rounds=${1:-5}
. scripts/wine-env.sh
# The Windows build this machine can run: the DLL's 32-bit code, or the
# 64-bit build under 64-bit Wine where 32-bit programs cannot start.
if machine_runs_32bit; then
  build=win32 arch="i686, Wine"
else
  build=win64 arch="x86-64, wine64"
fi
native=build/native/bench/imaging/imaging_times
windows=build/$build/bench/win32/imaging_times.exe
picture=/tmp/vemra-side-by-side.ppm
echo "native (x86-64) load: $(cut -d' ' -f1-3 /proc/loadavg)"
a=$("$native" "$rounds" "$picture")
echo "$build ($arch) load: $(cut -d' ' -f1-3 /proc/loadavg)"
b=$(scripts/wine-run.sh "$windows" "$rounds" 2>/dev/null | tr -d '\r')
printf '%-28s %19s   %19s\n%-28s %9s %9s   %9s %9s\n' "" "native" "$build under Wine" "case" "ms" "x memcpy" "ms" "x memcpy"
paste <(sed 1d <<<"$a") <(sed 1d <<<"$b") |
  awk -F'\t' '{ n = split($1, l, " +"); split($2, r, " +"); name = l[1];
                for (i = 2; i <= n - 2; ++i) name = name " " l[i];
                wn = split($2, r, " +");
                printf "%-28s %9s %9s   %9s %9s\n", name, l[n-1], l[n], r[wn-1], r[wn] }'

# Processor time in clock ticks (user + system) of one convert run over
# the picture; called in a subshell, whose finished children it counts.
convert_seconds() {
  local me=$BASHPID start end
  start=$(awk '{ print $14 + $15 + $16 + $17 }' "/proc/$me/stat")
  ( MAGICK_THREAD_LIMIT=1 convert "$picture" "$@" -crop 1000x750+0+0 +repage /tmp/vemra-side-by-side-out.ppm )
  end=$(awk '{ print $14 + $15 + $16 + $17 }' "/proc/$me/stat")
  echo $(( end - start ))
}

# ImageMagick's milliseconds for one resize with `filter`, the least of three.
magick_ms() {
  local resizes=() best="" i ten none ms
  for i in 1 2 3 4 5 6 7 8 9 10; do resizes+=("(" +clone -filter "$1" -resize '1000x750!' ")" +delete); done
  for i in 1 2 3; do
    ten=$(convert_seconds "${resizes[@]}")
    none=$(convert_seconds)
    ms=$(( (ten - none) * 1000 / $(getconf CLK_TCK) / 10 ))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}

echo
printf '%-12s %12s   %9s %9s   %9s %9s\n' "resize" "ImageMagick" "native" "x faster" "$build" "x faster"
ours=(Box Triangle Hermite Bell B-Spline Lanczos3 Mitchell)
theirs=(Box Triangle Hermite Quadratic Spline Lanczos Mitchell)
for i in "${!ours[@]}"; do
  peer=$(magick_ms "${theirs[$i]}")
  n=$(awk -v f="resize ${ours[$i]}" '$0 ~ "^" f " " { print $(NF-1) }' <<<"$a")
  w=$(awk -v f="resize ${ours[$i]}" '$0 ~ "^" f " " { print $(NF-1) }' <<<"$b")
  awk -v f="${ours[$i]}" -v p="$peer" -v n="$n" -v w="$w" \
    'BEGIN { printf "%-12s %12.1f   %9.2f %9.1f   %9.2f %9.1f\n", f, p, n, p / n, w, p / w }'
done
