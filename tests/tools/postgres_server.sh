#!/bin/sh
# A PostgreSQL server of the tests' own: a data folder of its own, a free port on 127.0.0.1,
# run as the postgres user (the server refuses root), reached by Wine's odbc32 through
# unixODBC and the "PostgreSQL Unicode" driver.
#   postgres_server.sh start <state folder>   starts it; writes <state folder>/server.txt
#   postgres_server.sh stop <state folder>    stops it at once and removes its files
# server.txt holds the store location (odbc:... with the password of the role "mirel",
# owner of the database "mirel"), then the port, then the database "foreign", which holds a
# table of another program. A watcher stops the server when the process that started it
# (ctest) ends without stopping it, as after Ctrl+C.
set -e
command=$1
state=$2
[ -n "$state" ] || { echo "usage: $0 start|stop <state folder>" >&2; exit 2; }
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -x "$bin/pg_ctl" ] || { echo "PostgreSQL is not installed (apt-get install postgresql)" >&2; exit 1; }

stop() {
    [ -f "$state/data-folder" ] || return 0
    data=$(cat "$state/data-folder")
    # The watcher, when it is still the one that watches this folder.
    watcher=$(cat "$state/watcher" 2>/dev/null)
    if [ -n "$watcher" ] && tr '\0' ' ' <"/proc/$watcher/cmdline" 2>/dev/null | grep -q "$data"; then
        kill "$watcher" 2>/dev/null || true
    fi
    [ -f "$data/data/postmaster.pid" ] && su postgres -s /bin/sh -c "'$bin/pg_ctl' -D '$data/data' -m immediate stop" >/dev/null 2>&1 || true
    rm -rf "$data"
    rm -f "$state/data-folder" "$state/watcher" "$state/server.txt"
}

case "$command" in
stop)
    stop
    exit 0
    ;;
start) ;;
*) echo "usage: $0 start|stop <state folder>" >&2; exit 2 ;;
esac

mkdir -p "$state"
stop   # a server a killed run left behind
data=$(mktemp -d /tmp/mirel-postgres.XXXXXX)
echo "$data" >"$state/data-folder"
chown postgres "$data"
password=$(head -c 18 /dev/urandom | base64 | tr -d '/+=')
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
as_postgres() { su postgres -s /bin/sh -c "$1"; }
as_postgres "'$bin/initdb' -D '$data/data' -U postgres -E UTF8 --locale=C.UTF-8 --auth-local=trust --auth-host=scram-sha-256" >"$data/initdb.log" 2>&1 ||
    { cat "$data/initdb.log" >&2; exit 1; }
as_postgres "'$bin/pg_ctl' -D '$data/data' -l '$data/server.log' -w -o \"-h 127.0.0.1 -p $port -k '$data'\" start" >/dev/null ||
    { cat "$data/server.log" >&2; exit 1; }

# Stops the server when ctest (the parent) ends first.
parent=$PPID
setsid sh -c "while kill -0 $parent 2>/dev/null; do sleep 1; done
    su postgres -s /bin/sh -c \"'$bin/pg_ctl' -D '$data/data' -m immediate stop\" >/dev/null 2>&1
    rm -rf '$data' '$state/data-folder' '$state/watcher' '$state/server.txt'" </dev/null >/dev/null 2>&1 &
echo $! >"$state/watcher"

as_postgres "'$bin/psql' -q -h '$data' -p $port -d postgres -v ON_ERROR_STOP=1" >/dev/null <<SQL
CREATE ROLE mirel LOGIN PASSWORD '$password';
CREATE DATABASE mirel OWNER mirel;
CREATE DATABASE foreign_program OWNER mirel;
\connect foreign_program
CREATE TABLE invoices (number INTEGER PRIMARY KEY, amount NUMERIC);
ALTER TABLE invoices OWNER TO mirel;
SQL
{
    echo "odbc:Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=$port;Database=mirel;Uid=mirel;Pwd=$password"
    echo "$port"
    echo "foreign_program"
} >"$state/server.txt"
chmod 600 "$state/server.txt"
