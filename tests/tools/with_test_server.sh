#!/bin/sh
# Runs a test program under Wine with MIREL_TEST_STORE naming the store on the server that
# tests/tools/postgres_server.sh started, so that the store tests run against it.
#   with_test_server.sh <server state folder> <program> [arguments...]
state=$1
shift
[ -f "$state/server.txt" ] || { echo "The test server is not running ($state/server.txt is missing)" >&2; exit 1; }
MIREL_TEST_STORE=$(sed -n 1p "$state/server.txt")
export MIREL_TEST_STORE
exec "$(dirname "$0")/../../tools/wine-run.sh" "$@"
