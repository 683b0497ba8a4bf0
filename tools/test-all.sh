#!/usr/bin/env bash
# Builds everything and runs every test: native model tests (optimised, in
# Release too, and under ASan/UBSan in Debug), then the Windows programs in
# Release and their tests under Wine. Warnings are errors in every build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVO_BUILD_DIR:-$root/build}

bash "$root/tools/setup-debian.sh"

configure_and_test() {
    local dir=$1 type=$2
    shift 2
    echo "== $dir ($type)"
    cmake -S "$root" -B "$build/$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" > /dev/null
    cmake --build "$build/$dir"
    ctest --test-dir "$build/$dir" --output-on-failure -j "$(nproc)"
}

configure_and_test native RelWithDebInfo
configure_and_test release Release
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions="$root/tools/lsan-suppressions.txt" UBSAN_OPTIONS=print_stacktrace=1 \
    configure_and_test sanitize Debug -DTAVO_SANITIZE=ON -DTAVO_BENCH=OFF
echo "== fuzz (short runs on the checked-in corpora)"
bash "$root/tools/fuzz.sh" "${TAVO_FUZZ_SECONDS:-10}"
# The Wine tests share one desktop, so they run one at a time.
echo "== win"
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" > /dev/null
cmake --build "$build/win"
ctest --test-dir "$build/win" --output-on-failure
