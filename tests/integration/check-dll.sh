#!/usr/bin/env bash
# The built DLL exports exactly the six functions, undecorated, at their
# ordinals, imports nothing but system DLLs (and not those that are no known
# DLLs: they are loaded from the system folder by full path), and is built
# hardened: ASLR, no-execute data, stack canaries. The same holds for the
# 32-bit and the 64-bit DLL.
#   check-dll.sh OBJDUMP DLL [32|64]
set -euo pipefail
export LC_ALL=C  # objdump's headings are translated in other locales
objdump=$1 dll=$2 bits=${3:-32}
dump=$(mktemp); trap 'rm -f "$dump"' EXIT
"$objdump" -p "$dll" > "$dump"
fail=0

base=$(awk '/Ordinal Base/{print $NF; exit}' "$dump")
exports=$(awk -v base="${base:-1}" '
  /\[Ordinal\/Name Pointer\] Table/ {on=1; next}
  on && /^[ \t]*\[/ {gsub(/[][]/, " "); print $1 + base, $2; next}
  on {exit}' "$dump" | sort)
expected=$'1 VmVersion\n2 VmPhotoSignatureExists\n3 VmPrint\n4 VmSettings\n5 VmScanImage\n6 VmInit'
expected=$(echo "$expected" | sort)
if [ "$exports" != "$expected" ]; then
  echo "exports differ:"; diff <(echo "$expected") <(echo "$exports") || true; fail=1
fi

allowed='^(kernel32|user32|gdi32|comdlg32|comctl32|ole32|oleaut32|advapi32|shell32|msvcrt|version|avicap32|winmm|shlwapi|ntdll|api-ms-win-.*)\.dll$'
while read -r name; do
  lower=$(echo "$name" | tr 'A-Z' 'a-z')
  if ! [[ $lower =~ $allowed ]]; then echo "non-system import: $name"; fail=1; fi
done < <(awk '/DLL Name:/{print $3}' "$dump")

# 32-bit C names carry a leading underscore; 64-bit ones do not.
if [ "$bits" = 64 ]; then
  magic=020b underscore="" flags="DYNAMIC_BASE NX_COMPAT HIGH_ENTROPY_VA"
else
  magic=010b underscore=_ flags="DYNAMIC_BASE NX_COMPAT"
fi
grep -q "Magic.*$magic" "$dump" || { echo "not a $bits-bit PE (magic $magic)"; fail=1; }
for flag in $flags; do
  grep -q "^[[:space:]]*$flag\$" "$dump" || { echo "DllCharacteristics lack $flag"; fail=1; }
done
# Canaries and checked string functions come from libssp, linked in. The
# shipped DLL is stripped; its symbols lie in the debug file beside it.
symbol_file=$dll
[ -f "$dll.debug" ] && symbol_file=$dll.debug
symbols=$("$objdump" -t "$symbol_file" | awk '{print $NF}')
if [ -n "$symbols" ]; then
  for symbol in ${underscore}__stack_chk_fail ${underscore}__memcpy_chk; do
    grep -qx "$symbol" <<<"$symbols" || { echo "no $symbol: built without hardening"; fail=1; }
  done
fi
[ $fail = 0 ] && echo "exports, imports and hardening as expected"
exit $fail
