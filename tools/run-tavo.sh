#!/usr/bin/env bash
# Builds the Windows programs and starts the calendar under Wine.
# Arguments are passed to Tavo.exe (for example a date such as 2005/07/09).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVO_BUILD_DIR:-$root/build}

bash "$root/tools/setup-debian.sh"
cmake -S "$root" -B "$build/win" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" > /dev/null
cmake --build "$build/win" --target Tavo TavoTray TavoCust

export WINEPREFIX=${TAVO_WINEPREFIX:-${XDG_DATA_HOME:-$HOME/.local/share}/tavo/wine}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "run-tavo: making the Wine prefix $WINEPREFIX (first run only)"
    wineboot -i > /dev/null 2>&1 || true
    wineserver -w
    bash "$root/tools/wine-fonts.sh" "$WINEPREFIX"
fi

if [ -z "${DISPLAY:-}" ]; then
    export DISPLAY=:77
    if [ ! -e /tmp/.X11-unix/X77 ]; then
        Xvfb :77 -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
        sleep 1
    fi
    echo "run-tavo: no display; running on the virtual display :77 (see it with: DISPLAY=:77 import -window root shot.png)"
fi
exec wine "$build/win/bin/Tavo.exe" "$@"
