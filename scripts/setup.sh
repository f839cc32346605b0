#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine.
# Idempotent: a second run finds everything in place and does nothing.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
cache=${VEMRA_CACHE:-$HOME/.cache/vemrasdk}
sudo=""; [ "$(id -u)" = 0 ] || sudo=sudo

packages=(
  build-essential cmake ninja-build pkg-config git
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools nasm
  wine wine32:i386 wine64 libcups2:i386 fonts-wine
  cups cups-bsd printer-driver-cups-pdf
  xvfb xauth locales fonts-liberation fonts-dejavu-core
  poppler-utils zbar-tools imagemagick libjpeg-turbo-progs
  googletest libgtest-dev libgmock-dev libbenchmark-dev libjpeg-dev
  clang libclang-rt-14-dev
  dpkg-dev
)

missing_packages() {
  local p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed' || echo "$p"
  done
}

add_sources() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
  fi
  local src=/etc/apt/sources.list.d/vemra-src.sources
  if [ ! -f "$src" ]; then
    local entry
    entry=$(source_entry)
    $sudo tee "$src" >/dev/null <<SRC
Types: deb-src
$entry
Components: main
SRC
  fi
}

# URIs, Suites and Signed-By of the machine's own binary source for its
# release, so that the source packages come from the same mirror.
source_entry() {
  local codename uri="" keyring=""
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  local found
  found=$(awk -v suite="$codename" '
    function flush() {
      if (types ~ /(^| )deb( |$)/ && (" " suites " ") ~ (" " suite " ") && uris != "" && !done) {
        print uris "|" key; done = 1
      }
      types = ""; suites = ""; uris = ""; key = ""
    }
    /^[ \t]*$/ { flush(); next }
    /^Types:/ { types = substr($0, 8) }
    /^Suites:/ { suites = substr($0, 9) }
    /^URIs:/ { uris = $2 }
    /^Signed-By:/ { key = $2 }
    END { flush() }' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -1)
  if [ -z "$found" ] && [ -f /etc/apt/sources.list ]; then
    found=$(awk -v suite="$codename" '$1 == "deb" {
        key = ""; i = 2
        if ($2 ~ /^\[/) { for (; i <= NF && $i !~ /\]$/; i++) if ($i ~ /signed-by=/) key = $i
                          if ($i ~ /signed-by=/) key = $i; i++ }
        sub(/.*signed-by=/, "", key); sub(/\]$/, "", key)
        if ($(i + 1) == suite) { print $i "|" key; exit } }' /etc/apt/sources.list)
  fi
  uri=${found%%|*}
  keyring=${found#*|}
  [ -n "$found" ] || uri=http://deb.debian.org/debian
  [ -n "$keyring" ] && [ "$keyring" != "$found" ] || keyring=/usr/share/keyrings/debian-archive-keyring.gpg
  printf 'URIs: %s\nSuites: %s\nSigned-By: %s' "$uri" "$codename" "$keyring"
}

# A mirror caught mid-sync fails an index now and serves it a minute later.
# One that stays behind (seen here for hours: an index a little older than
# its Release file) is taken as served, so that the i386 libraries can still
# match their amd64 twins; the packages it names are still fetched from the
# same mirror.
update_package_lists() {
  local try log
  log=$(mktemp)
  for try in 1 2 3; do
    $sudo apt-get update -qq 2>&1 | tee "$log" || true
    grep -q '^E: Failed to fetch' "$log" || { rm -f "$log"; return 0; }
    echo "setup: package lists incomplete (try $try)"
    [ "$try" = 3 ] || sleep $((try * 15))
  done
  take_stale_lists "$log"
  rm -f "$log"
}

take_stale_lists() {  # apt-get update's output
  local url list xz
  xz=$(mktemp)
  for url in $(sed -n 's/^E: Failed to fetch \(http[^ ]*Packages\.xz\) .*unexpected size.*/\1/p' "$1"); do
    list=/var/lib/apt/lists/$(echo "${url#http://}" | sed 's/\.xz$//; s|/|_|g')
    echo "setup: taking $url as the mirror serves it"
    /usr/lib/apt/apt-helper download-file "$url" "$xz" >/dev/null &&
      xz -dc "$xz" | $sudo tee "$list" >/dev/null || true
  done
  rm -f "$xz"
}

install_packages() {
  local missing
  missing=$(missing_packages)
  [ -z "$missing" ] && return 0
  echo "setup: installing $(echo $missing | wc -w) packages"
  update_package_lists
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

make_locale() {
  locale -a 2>/dev/null | grep -qi '^sv_SE\.utf-\?8$' && return 0
  $sudo localedef -i sv_SE -f UTF-8 sv_SE.UTF-8
}

# libjpeg-turbo for the 32-bit and the 64-bit DLL, built with its SIMD code
# from Debian's own source.
build_windows_libjpeg() {  # i686 | x86_64
  local prefix=$cache/libjpeg-turbo-$1
  [ -f "$prefix/lib/libjpeg.a" ] && return 0
  echo "setup: building libjpeg-turbo for $1-w64-mingw32"
  "$here/scripts/build-libjpeg.sh" "$here/cmake/mingw-$1.cmake" "$prefix" -DCMAKE_POSITION_INDEPENDENT_CODE=OFF
}

add_sources
install_packages
make_locale
build_windows_libjpeg i686
build_windows_libjpeg x86_64
echo "setup: ready"
