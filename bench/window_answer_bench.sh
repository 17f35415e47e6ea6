#!/bin/sh
# The window's answer time during a check of a name that a name server never answers:
# window_answer_bench.exe inside tests/tools/stalled_name_server.sh (root: a network
# namespace of its own, loopback only). Build first (make build).
#   bench/window_answer_bench.sh [computer name]
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wine-test} WINEDEBUG=-all
"$here/tools/wine-prefix.sh" "$WINEPREFIX" null >/dev/null
exec "$here/tests/tools/stalled_name_server.sh" "$here/tools/wine-run.sh" \
    "$here/build/bench/window_answer_bench.exe" "$@"
