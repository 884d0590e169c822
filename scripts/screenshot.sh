#!/usr/bin/env bash
# Draws the main window offscreen into docs/screenshot.png, the README's picture: a generated
# puzzle, a few steps played on the tip's answers, the next tip shown and the log beside it.
#
#   scripts/screenshot.sh [BUILD_DIR [WIDTH HEIGHT]]    (default: build/release, 1000 x 600)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build/release}
size=("${2:-1000}" "${3:-600}")
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target window_screenshot
QT_QPA_PLATFORM=offscreen "$build/src/app/window_screenshot" "$top/docs/screenshot.png" "${size[@]}"
echo "screenshot: $top/docs/screenshot.png"
