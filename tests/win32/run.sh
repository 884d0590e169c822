#!/usr/bin/env bash
# Cross-compiles the registry code with MinGW-w64 and runs it under Wine against Wine's real
# registry: the keys after a first start, and after a second start of the program moved to
# another folder (with a blank and an umlaut) under another name. Wine runs in a WINEPREFIX of
# its own in the build folder, removed afterwards, and makes no menu entries or file types in
# the user's home.
#
# MinGW-w64 and Wine are large (about 230 MB to download), so they are not in
# scripts/debian-packages.txt: this script installs them on demand when it may (root or sudo,
# ZW_NO_INSTALL unset), and skips with a message where they are missing or Wine cannot start.
# Usage: tests/win32/run.sh [build-dir]   (default: build/win32)
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build/win32}

skip() { echo "win32 registry test SKIPPED: $*"; exit 0; }
find_wine() { for w in wine64 /usr/lib/wine/wine64 wine; do command -v "$w" && return; done; }

if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null || [ -z "$(find_wine)" ]; then
    [ -n "${ZW_NO_INSTALL:-}" ] || ! command -v apt-get >/dev/null ||
        { [ "$(id -u)" -eq 0 ] && sudo="" || sudo="sudo -n"
          echo "win32: installing g++-mingw-w64-x86-64 and wine64 (large, once)"
          DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
              -o DPkg::Lock::Timeout=600 g++-mingw-w64-x86-64 wine64 >/dev/null 2>&1; } ||
        skip "could not install g++-mingw-w64-x86-64 and wine64"
fi
command -v x86_64-w64-mingw32-g++-posix >/dev/null || skip "no MinGW-w64 compiler"
wine=$(find_wine) || skip "Wine is not installed"

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DZW_WITH_QT=OFF -DZW_BUILD_TESTS=OFF -DZW_BUILD_BENCH=OFF \
    >/dev/null || exit 1
cmake --build "$build" --target zw_registry_wine_test || exit 1

# Wine's own Windows in the build tree, made fresh for each run, never the user's ~/.wine;
# winemenubuilder off, as it writes desktop entries and MIME types into ~/.local.
prefix=$(cd "$build" && pwd)/wineprefix
rm -rf "$prefix"
wineserver=$(command -v wineserver || echo "$(dirname "$wine")/wineserver")
# Wine keeps its server's socket folder under TMPDIR and leaves it there: the build tree's.
wine_tmp=$(cd "$build" && pwd)/wine-tmp
mkdir -p "$wine_tmp"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export TMPDIR=$wine_tmp
trap '"$wineserver" -k >/dev/null 2>&1; rm -rf "$prefix" "$wine_tmp"' EXIT
export LC_ALL=C.UTF-8  # Windows-1252 as the ANSI code page
timeout 300 "$wine" wineboot --init >/dev/null 2>&1 || skip "Wine cannot start here"

status=0
run() {  # run <folder under drive_c> <exe name> <args...>: the test program as that exe
    local dir="$prefix/drive_c/$1" exe=$2; shift 2
    mkdir -p "$dir" && cp "$build/tests/win32/zw_registry_wine_test.exe" "$dir/$exe"
    (cd "$prefix/drive_c" && timeout 120 "$wine" "$dir/$exe" "$@") 2>/dev/null | tr -d '\r' |
        iconv -f CP1252 -t UTF-8 || status=1
}
echo "--- first start: C:\\Meine Spiele\\Zellwerk.exe"
run "Meine Spiele" Zellwerk.exe --start
run "Meine Spiele" Zellwerk.exe --check first 'C:\Meine Spiele' Zellwerk
echo "--- second start, moved: C:\\Rätsel und Spiele\\SuDoKu.exe"
rm -rf "$prefix/drive_c/Meine Spiele"
run "Rätsel und Spiele" SuDoKu.exe --start
run "Rätsel und Spiele" SuDoKu.exe --check later 'C:\Rätsel und Spiele' SuDoKu
echo "--- version resource and help path"
run "Rätsel und Spiele" SuDoKu.exe --version
echo pdf > "$prefix/drive_c/Rätsel und Spiele/Help.pdf"
run "Rätsel und Spiele" SuDoKu.exe --short-path 'C:\Rätsel und Spiele\Help.pdf'

if [ $status -eq 0 ]; then echo "win32 registry test passed"; else echo "win32 registry test FAILED"; fi
exit $status
