#!/usr/bin/env bash
# Start-up to first completed paint of Tavo.exe, as a ratio to a bare Win32
# program that opens and paints one window, both under the same Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVO_BUILD_DIR:-$root/build}
runs=${RUNS:-15}
# The configuration that ships (see tools/package.sh).
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" > /dev/null
cmake --build "$build/win" --target Tavo bare_window startup_probe > /dev/null
state="$build/bench-wine"
bash "$root/tools/wine-env.sh" start "$state" > /dev/null
trap 'bash "$root/tools/wine-env.sh" stop "$state"' EXIT
# shellcheck disable=SC1091
. "$state/env"
export WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
bin="$build/win/bin"
medians=$(wine "$bin/startup_probe.exe" "$runs" "$(winepath -w "$bin/bare_window.exe")" BareWindow \
    "$(winepath -w "$bin/Tavo.exe")" Tavo | tr -d '\r')
bare=$(echo "$medians" | sed -n 1p)
tavo=$(echo "$medians" | sed -n 2p)
echo "bare window: ${bare} ms   Tavo: ${tavo} ms   ratio $(echo "scale=2; $tavo / $bare" | bc)"
