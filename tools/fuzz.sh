#!/usr/bin/env bash
# Builds the fuzz targets (clang, ASan/UBSan) and runs each on a copy of its
# checked-in corpus for SECONDS (default 10). Fails when any target finds a
# fault, takes more than 2 GB, or spends more than 10 s on one input.
# ONLY=NAME runs one target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVO_BUILD_DIR:-$root/build}
seconds=${1:-10}
cmake -S "$root" -B "$build/fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVO_FUZZ=ON -DTAVO_SANITIZE=ON > /dev/null
cmake --build "$build/fuzz"
work="$build/fuzz-work"
rm -rf "$work"
mkdir -p "$work"
failed=0
for corpus in "$root"/fuzz/corpus/${ONLY:-*}/; do
    target=$(basename "$corpus")
    mkdir -p "$work/$target"
    cp "$corpus"* "$work/$target/"
    if (cd "$work" && "$build/fuzz/bin/fuzz_$target" "$work/$target" -max_total_time="$seconds" \
        -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 > "$work/$target.log" 2>&1); then
        echo "fuzz_$target: $(grep -o 'number_of_executed_units: [0-9]*' "$work/$target.log") in ${seconds} s, no finding"
    else
        echo "fuzz_$target: FAILED"
        grep -E 'ERROR|SUMMARY|LLVMFuzzerTestOneInput' "$work/$target.log" | head -5
        failed=1
    fi
done
exit $failed
