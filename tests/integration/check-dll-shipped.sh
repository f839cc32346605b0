#!/usr/bin/env bash
# The DLL as shipped: no debug sections, under 3 MB, and its symbols in the
# .debug file beside it that its debug link names.
set -euo pipefail
export LC_ALL=C
objdump=$1 dll=$2
fail=0
size=$(stat -c %s "$dll")
[ "$size" -lt $((3 * 1024 * 1024)) ] || { echo "DLL is $size bytes, not under 3 MB"; fail=1; }
sections=$("$objdump" -h "$dll")
if grep -q ' \.debug_' <<<"$sections"; then echo "DLL still has debug sections"; fail=1; fi
grep -q ' \.gnu_debuglink' <<<"$sections" || { echo "DLL has no debug link"; fail=1; }
debug=$dll.debug
if [ -f "$debug" ] && "$objdump" -h "$debug" | grep -q ' \.debug_info'; then :; else
  echo "no debug symbols in $debug"; fail=1
fi
[ $fail = 0 ] && echo "shipped stripped ($size bytes); symbols in $debug"
exit $fail
