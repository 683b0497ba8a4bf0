#!/usr/bin/env bash
# A Radicale server on a free loopback port for the Windows-side tests:
#   caldav-server.sh start STATE   (writes STATE/url: the root; the login is tavo / secret,
#                                   with an empty calendar at tavo/calendar/, which anyone
#                                   may read as a published calendar is read)
#   caldav-server.sh stop STATE
set -euo pipefail
action=$1 state=$2
if [ "$action" = stop ]; then
    [ -f "$state/pid" ] && kill "$(cat "$state/pid")" 2> /dev/null || true
    rm -rf "$state"
    exit 0
fi
rm -rf "$state"
mkdir -p "$state"
echo "tavo:secret" > "$state/users"
printf '[owner]\nuser: .+\ncollection: {user}(/.*)?\npermissions: RrWw\n\n[root]\nuser: .+\ncollection:\npermissions: R\n\n[public]\nuser: .*\ncollection: tavo/calendar\npermissions: r\n' > "$state/rights"
port=$(/usr/bin/python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
/usr/bin/radicale --config "" --server-hosts "127.0.0.1:$port" --storage-filesystem-folder "$state/storage" \
    --auth-type htpasswd --auth-htpasswd-filename "$state/users" --auth-htpasswd-encryption plain --rights-type from_file --rights-file "$state/rights" \
    --logging-level warning > "$state/server.log" 2>&1 &
echo $! > "$state/pid"
for _ in $(seq 600); do  # until it answers (at most a minute)
    if curl -s -o /dev/null "http://127.0.0.1:$port/"; then
        curl -s -o /dev/null -u tavo:secret -X MKCALENDAR "http://127.0.0.1:$port/tavo/calendar/"
        echo "http://127.0.0.1:$port/" > "$state/url"
        exit 0
    fi
    sleep 0.1
done
echo "radicale did not answer" >&2
exit 1
