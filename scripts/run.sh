#!/usr/bin/env bash
# Builds the program (release) and starts it; arguments go to the program.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
cmake -S "$top" -B "$top/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$top/build/release" --target zellwerk
exec "$top/build/release/src/app/zellwerk" "$@"
