#!/usr/bin/env bash
# What the launcher costs while nothing is due: its wake-ups (voluntary
# context switches of all its threads) and CPU time over a quiet span, beside
# a bare Win32 window's over the same span, both under the same Wine. The
# data folder holds a timed entry later today, so the reminder timer is set.
#   bash bench/tray_idle.sh            (IDLE_SECONDS=120 by default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVO_BUILD_DIR:-$root/build}
seconds=${IDLE_SECONDS:-120}
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" > /dev/null
cmake --build "$build/win" --target TavoTray bare_window > /dev/null
state="$build/bench-wine"
bash "$root/tools/wine-env.sh" start "$state" > /dev/null
data=$(mktemp -d)
trap 'wineserver -k 2> /dev/null || true; bash "$root/tools/wine-env.sh" stop "$state"; rm -rf "$data"' EXIT
# shellcheck disable=SC1091
. "$state/env"
export WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
bin="$build/win/bin"
printf ':%d\r\n23:59 late\r\n' "$(date +%-d)" > "$data/sch$(date +%Y)$(printf '%x' "$(date +%-m)").cal"
wine reg add 'HKCU\Software\Brenmor\Tavo\dir' /v schpath /t REG_SZ /d "$(winepath -w "$data")" /f > /dev/null 2>&1

# Linux pid of a running Windows program, waited for.
pid_of() {
    local pid=""
    for _ in $(seq 100); do
        pid=$(pgrep -f "$1" | head -1 || true)
        [ -n "$pid" ] && { echo "$pid"; return; }
        sleep 0.1
    done
    echo "no process $1" >&2
    exit 1
}
# Voluntary context switches of every thread, and user+system ticks.
wakeups() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n }'; }
ticks() { awk '{ print $14 + $15 }' /proc/"$1"/stat; }

wine "$bin/bare_window.exe" &
wine "$bin/TavoTray.exe" &
bare=$(pid_of bare_window.exe)
tray=$(pid_of TavoTray.exe)
sleep 10  # both started and settled
b0=$(wakeups "$bare") t0=$(wakeups "$tray") bc0=$(ticks "$bare") tc0=$(ticks "$tray")
sleep "$seconds"
b1=$(wakeups "$bare") t1=$(wakeups "$tray") bc1=$(ticks "$bare") tc1=$(ticks "$tray")
echo "over ${seconds} s idle: bare window $((b1 - b0)) wake-ups, $((bc1 - bc0)) ticks;" \
    "launcher $((t1 - t0)) wake-ups, $((tc1 - tc0)) ticks (a tick is 1/$(getconf CLK_TCK) s)"
