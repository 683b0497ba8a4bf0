#!/usr/bin/env bash
# Runs phone_round_trip.py against a Radicale of its own on loopback.
#   phone_round_trip.sh TAVOCAL STATE_FOLDER
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
bash "$root/tools/caldav-server.sh" start "$2" || exit 1
/usr/bin/python3 "$here/phone_round_trip.py" "$(cat "$2/url")" "$1"
status=$?
bash "$root/tools/caldav-server.sh" stop "$2"
exit $status
