#!/bin/sh
# Runs a command where every name lookup meets a name server that never answers: in a
# network namespace of its own (loopback only), /etc/resolv.conf is bind-mounted to name
# 127.0.0.1, where a UDP server reads the queries and never answers. Only loopback is ever
# contacted. Needs root (unshare, mount); exits 77 (skipped) without.
# Usage: stalled_name_server.sh <command> [arguments...]
if [ -z "$MIREL_STALLED_NAMESPACE" ]; then
    if [ "$(id -u)" != 0 ] || ! command -v unshare >/dev/null; then
        echo "needs root and unshare: skipped"
        exit 77
    fi
    MIREL_STALLED_NAMESPACE=1 exec unshare -n -m sh "$0" "$@"
fi
ip link set lo up || exit 77
conf=$(mktemp /tmp/mirel-resolv.XXXXXX)
printf 'nameserver 127.0.0.1\noptions timeout:5 attempts:3\n' >"$conf"
mount --bind "$conf" /etc/resolv.conf || exit 77
# Each query read is noted in the file $MIREL_STALLED_LOG (made here when not given), so
# that the command can wait for a lookup to be under way.
export MIREL_STALLED_LOG="${MIREL_STALLED_LOG:-$conf.queries}"
python3 -c '
import os, socket
server = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
server.bind(("127.0.0.1", 53))
log = os.environ.get("MIREL_STALLED_LOG")
while True:
    server.recvfrom(4096)   # read, never answer
    if log:
        with open(log, "a") as noted:
            noted.write("query\n")
' &
server=$!
sleep 0.3
"$@"
code=$?
kill "$server"
rm -f "$conf" "$conf.queries"
exit $code
