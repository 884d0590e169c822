#!/usr/bin/env bash
# Builds and runs every test: the core under AddressSanitizer and UBSan, then the
# whole program (widgets offscreen, the command-line tool, the real-part checks).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
jobs=$(nproc)

# The tests get a home of their own in the build tree: what Qt, libcups and Wine keep in a home
# (dialog settings, ~/.cups, caches, the runtime folder) never reaches the user's.
home=$top/build/test-home
rm -rf "$home"
mkdir -p "$home/runtime"
chmod 700 "$home/runtime"
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share \
    XDG_CACHE_HOME=$home/.cache XDG_STATE_HOME=$home/.local/state XDG_RUNTIME_DIR=$home/runtime

cmake -S "$top" -B "$top/build/asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DZW_SANITIZE=ON -DZW_WITH_QT=OFF >/dev/null
cmake --build "$top/build/asan" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir "$top/build/asan" --output-on-failure -j "$jobs"

cmake -S "$top" -B "$top/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$top/build/release" -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$top/build/release" --output-on-failure -j "$jobs"

# The registry code cross-compiled for Windows, run under Wine against its real registry.
"$top/tests/win32/run.sh" "$top/build/win32"

# Printing through the real "&Drucken" action on a PDF queue of a private CUPS scheduler in the
# build tree (the system scheduler is left alone; skips the queue where cupsd cannot start).
"$top/scripts/cups-print-test.sh" "$top/build/release"

# The file loader and the paste parser under libFuzzer, about 20 s each; a crash fails the run.
"$top/tests/fuzz/run.sh" 20
