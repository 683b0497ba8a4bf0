#!/usr/bin/env bash
# Builds everything and runs every test: native model tests (plain and under
# ASan/UBSan), then the Windows programs and their tests under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVO_BUILD_DIR:-$root/build}

bash "$root/tools/setup-debian.sh"

configure_and_test() {
    local dir=$1
    shift
    echo "== $dir"
    cmake -S "$root" -B "$build/$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" > /dev/null
    cmake --build "$build/$dir"
    ctest --test-dir "$build/$dir" --output-on-failure -j "$(nproc)"
}

configure_and_test native
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    configure_and_test sanitize -DTAVO_SANITIZE=ON -DTAVO_BENCH=OFF
echo "== fuzz (short runs on the checked-in corpora)"
bash "$root/tools/fuzz.sh" "${TAVO_FUZZ_SECONDS:-10}"
# The Wine tests share one desktop, so they run one at a time.
echo "== win"
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" > /dev/null
cmake --build "$build/win"
ctest --test-dir "$build/win" --output-on-failure
