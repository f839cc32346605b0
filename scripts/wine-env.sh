# Sourced: the Wine settings for running one Windows build's programs.
#   wine_env BUILD   exports WINEPREFIX (BUILD/wineprefix unless set),
#                    WINEDEBUG and the build's loader (wine_loader).
# Debian's `wine` picks the 32-bit loader whenever wine32 is installed, and
# that fails with "Exec format error" where the kernel runs 64-bit code
# only: a 64-bit build is run by the 64-bit loader itself, in a prefix of
# its own.
wine64_loader=/usr/lib/wine/wine64

# win64 or win32: the word size of the programs in a build folder.
build_word_size() {  # BUILD
  if grep -q '^CMAKE_TOOLCHAIN_FILE:.*x86_64' "$1/CMakeCache.txt" 2>/dev/null; then
    echo win64
  else
    echo win32
  fi
}

# The loader for win32 or win64 programs in WINE; for win64 also WINEARCH
# and WINELOADER, which Wine's own helpers read.
wine_loader() {  # win32|win64
  if [ "$1" = win64 ]; then
    export WINEARCH=win64 WINELOADER=$wine64_loader
    WINE=$wine64_loader
  else
    WINE=wine
  fi
  export WINE
}

# Also sets WORD_SIZE to the build's win32 or win64.
wine_env() {  # BUILD
  export WINEPREFIX=${WINEPREFIX:-$(realpath -m "$1")/wineprefix}
  export WINEDEBUG=${WINEDEBUG:--all}
  WORD_SIZE=$(build_word_size "$1")
  wine_loader "$WORD_SIZE"
}

# Whether this machine starts 32-bit programs (32-bit Wine needs that), and
# whether it has a 64-bit Wine.
machine_runs_32bit() { /lib/ld-linux.so.2 --version >/dev/null 2>&1; }
machine_runs_wine64() { [ -x "$wine64_loader" ]; }
