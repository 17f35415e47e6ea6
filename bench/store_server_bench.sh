#!/bin/sh
# Runs bench/store_server_bench.exe against a PostgreSQL server of its own (started as the
# tests start theirs, stopped however the bench ends); with "questions" and a simulated store
# file (bench/store_generator.cpp), copies that store into the server with /copyto and asks
# it every ready-made question instead (bench/store_sim_bench.cpp; target: within 1 s each).
#   bench/store_server_bench.sh [build folder] [questions <simulated store file>]
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
state=$(mktemp -d /tmp/mirel-bench-server.XXXXXX)
trap 'sh "$here/tests/tools/postgres_server.sh" stop "$state"; rm -rf "$state"' EXIT
trap 'exit 130' INT TERM
sh "$here/tests/tools/postgres_server.sh" start "$state" || exit 1
export WINEPREFIX="${WINEPREFIX:-$build/wine-test}" WINEDEBUG=-all
"$here/tools/wine-prefix.sh" "$WINEPREFIX" null >/dev/null
server=$(sed -n 1p "$state/server.txt")
if [ "$2" = questions ]; then
    [ -f "$3" ] || { echo "no simulated store: $3" >&2; exit 2; }
    start=$(date +%s)
    "$here/tools/wine-run.sh" "$build/mirelrep.exe" /q "/store:Z:$3" "/copyto:$server" || exit 1
    echo "copied into the server in $(( $(date +%s) - start )) s"
    MIREL_BENCH_QUESTIONS=1 "$here/tools/wine-run.sh" "$build/bench/store_sim_bench.exe" "$server"
    exit $?
fi
"$here/tools/wine-run.sh" "$build/bench/store_server_bench.exe" "$server"
