#!/bin/sh
# Builds the fuzz targets with clang in build/fuzz and runs each for a while (default 20 s).
# A crash, a leak or a failed check ends the run with a non-zero status and leaves the input
# in build/fuzz/artifacts/.
#   tests/fuzz/run.sh [seconds]
set -eu
seconds=${1:-20}
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build/fuzz"

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DZW_FUZZ=ON -DZW_WITH_QT=OFF -DZW_BUILD_TESTS=OFF -DZW_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target file_loader_fuzz paste_fuzz

mkdir -p "$build/corpus/file_loader" "$build/corpus/paste"
# Seeds: a saved line, a short line, a line without its end; a board string and a 9 x 9 block.
board='5                                                                                '
printf '%s14:03:27\tEingabe ok.\r\nshort\r\n%s14:03:28\tL\366sen...' "$board" "$board" \
    >"$build/corpus/file_loader/seed"
printf '%s' "$board" >"$build/corpus/paste/board"
printf '1\t\t3\t4\t5\t6\t7\t8\t9\r\n' >"$build/corpus/paste/row"

rm -rf "$build/artifacts"
mkdir -p "$build/artifacts"
status=0
for target in file_loader paste; do
    echo "== ${target}_fuzz for ${seconds} s"
    log="$build/${target}.log"
    # The targets keep one window across inputs, so memory held between runs is no leak.
    if ! "$build/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -max_len=1024 -detect_leaks=0 \
        -artifact_prefix="$build/artifacts/${target}-" -print_final_stats=1 \
        "$build/corpus/$target" >"$log" 2>&1; then
        status=1
        grep -E 'ERROR|SUMMARY|deadly' "$log" >&2 || tail -20 "$log" >&2
        echo "fuzz: ${target}_fuzz failed; input and log in $build" >&2
    fi
    grep -E '^stat::number_of_executed_units' "$log" || true
done
exit $status
