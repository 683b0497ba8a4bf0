#!/usr/bin/env bash
# CTest's emulator for the Windows test programs: runs one under the test run's Wine.
set -euo pipefail
state=${TAVO_WINE_STATE:?TAVO_WINE_STATE names the state folder made by wine-env.sh start}
# shellcheck disable=SC1091
. "$state/env"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
exec wine "$@"
