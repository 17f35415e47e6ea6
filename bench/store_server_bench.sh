#!/bin/sh
# Runs bench/store_server_bench.exe against a PostgreSQL server of its own (started as the
# tests start theirs, stopped however the bench ends).
#   bench/store_server_bench.sh [build folder]   (default: build)
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
state=$(mktemp -d /tmp/mirel-bench-server.XXXXXX)
trap 'sh "$here/tests/tools/postgres_server.sh" stop "$state"; rm -rf "$state"' EXIT
trap 'exit 130' INT TERM
sh "$here/tests/tools/postgres_server.sh" start "$state" || exit 1
export WINEPREFIX="${WINEPREFIX:-$build/wine-test}" WINEDEBUG=-all
"$here/tools/wine-prefix.sh" "$WINEPREFIX" null >/dev/null
"$here/tools/wine-run.sh" "$build/bench/store_server_bench.exe" "$(sed -n 1p "$state/server.txt")"
