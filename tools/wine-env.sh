#!/usr/bin/env bash
# Starts or stops the private Wine prefix and X display of a test run.
#   wine-env.sh start STATE_DIR   make the prefix (first use), start Xvfb if no DISPLAY
#   wine-env.sh stop STATE_DIR    end the Wine server and the Xvfb started here
set -euo pipefail
action=${1:?start or stop}
state=$(realpath -m "${2:?state folder}")
mkdir -p "$state"
export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

# Xvfb of our own, or the caller's display (0: theirs).
own_display=0
start_display() {
    if [ -n "${DISPLAY:-}" ]; then
        echo "export DISPLAY=$DISPLAY" >> "$state/env"
        return
    fi
    own_display=1
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp > "$state/xvfb.log" 2>&1 &
    echo $! > "$state/xvfb.pid"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    echo "export DISPLAY=:$n" >> "$state/env"
}

case "$action" in
start)
    rm -f "$state/env"
    start_display
    echo "export WINEPREFIX=$WINEPREFIX" >> "$state/env"
    # shellcheck disable=SC1091
    . "$state/env"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i > "$state/wineboot.log" 2>&1 || true
    fi
    # No window manager runs on an Xvfb of ours: Wine draws the frames itself
    # and does not wait (two seconds each time) for a manager to withdraw a
    # window being hidden or closed.
    managed=Y
    [ "$own_display" = 1 ] && managed=N
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f > /dev/null 2>&1
    wineserver -w
    bash "$(dirname "$0")/wine-fonts.sh" "$WINEPREFIX"
    ;;
stop)
    wineserver -k 2> /dev/null || true
    if [ -f "$state/xvfb.pid" ]; then
        kill "$(cat "$state/xvfb.pid")" 2> /dev/null || true
        rm -f "$state/xvfb.pid"
    fi
    ;;
*)
    echo "usage: $0 start|stop STATE_DIR" >&2
    exit 2
    ;;
esac
