#!/bin/sh
# Address ranges as a source, under Wine, in a network namespace of the test's own: a veth
# pair gives 10.96.0.0/22, where only 10.96.0.1 (the namespace's own address) answers and
# every other address stays silent, and no packet leaves the namespace. Loopback addresses
# all answer. /names lists those that answered, a silent sweep keeps to its time, bad
# ranges are usage errors, and a run checks what answered. Needs root (unshare, ip);
# exits 77 (skipped) without.
# Usage: range_test.sh <build folder>
if [ -z "$MIREL_RANGE_NAMESPACE" ]; then
    if [ "$(id -u)" != 0 ] || ! command -v unshare >/dev/null || ! command -v ip >/dev/null; then
        echo "needs root, unshare and ip: skipped"
        exit 77
    fi
    MIREL_RANGE_NAMESPACE=1 exec unshare -n sh "$0" "$@"
fi
# A namespace of its own holds nothing but its loopback device: anything else means the
# sweeps below would leave it.
[ "$(ip -o link show | wc -l)" = 1 ] || { echo "not in a network namespace of the test's own"; exit 1; }
ip link set lo up || exit 77
ip link add v0 type veth peer name v1 || exit 77
ip addr add 10.96.0.1/22 dev v0 && ip link set v0 up && ip link set v1 up || exit 77
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d /tmp/mirel-range.XXXXXX)
# Wine sends pings from a process its server starts (the network driver's): a server of
# another prefix's copy, started here, keeps that process, and every echo, in this
# namespace. A server already running for the shared prefix would be outside it.
cp -a "${WINEPREFIX:?}" "$out/prefix" || exit 1
export WINEPREFIX="$out/prefix"
trap 'wineserver -k 2>/dev/null; rm -rf "$out"' EXIT
cd "$out"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
now() { date +%s%N; }
run() {
    "$here/tools/wine-run.sh" "$build/mirelrep.exe" "$@" >"$out/stdout" 2>"$out/stderr"
    code=$?
}
"$here/tools/wine-run.sh" cmd /c exit   # the copy's server and services up before the first timing
lines() { tail -n +2 "$out/stdout" | tr -d '\r"' | cut -d, -f1 | tr '\n' ' '; }

run /range:127.0.0.1-127.0.0.12 /names
[ "$code" = 0 ] || fail "loopback: exit $code ($(cat stderr))"
[ "$(lines)" = "127.0.0.1 127.0.0.2 127.0.0.3 127.0.0.4 127.0.0.5 127.0.0.6 127.0.0.7 127.0.0.8 127.0.0.9 127.0.0.10 127.0.0.11 127.0.0.12 " ] ||
    fail "loopback: $(lines)"

# A program's start in the namespace takes its own time (seconds under load): the sweeps
# are timed against a run without one.
start=$(now)
run /range:10.96.0.1/32 /noping /names
baseline=$(( ($(now) - start) / 1000000 ))
start=$(now)
run /range:10.96.0.0/29 /names /timeout:1
took=$(( ($(now) - start) / 1000000 ))
[ "$code" = 0 ] && [ "$(lines)" = "10.96.0.1 " ] || fail "one answers of six: exit $code, $(lines) ($(cat stderr))"
grep -q "1 of 6 addresses answered" stderr || fail "no tally: $(cat stderr)"
[ "$took" -lt $((baseline + 4000)) ] || fail "six addresses, /timeout:1, took $took ms (a start: $baseline ms)"

run /range:10.96.0.2-10.96.0.5 /names /timeout:1
[ "$code" = 1 ] || fail "none answers: exit $code, not 1"
grep -q "No address of the range answered" stderr || fail "none answers: $(cat stderr)"

run /range:10.96.0.2-10.96.0.4 /noping /names
[ "$(lines)" = "10.96.0.2 10.96.0.3 10.96.0.4 " ] || fail "/noping lists every address: $(lines) (exit $code, $(cat stderr))"

for bad in 10.96.0.0/15 10.96.0.9-10.96.0.1 10.96.0.0 10.96.0.300/24 10.96.0.0/24/2; do
    run "/range:$bad" /names
    [ "$code" = 2 ] || fail "/range:$bad: exit $code, not 2"
done
run /range:10.96.0.0/30 /active:3 /names
[ "$code" = 2 ] || fail "/active: with /range: exit $code, not 2"

# Ctrl+C during a silent sweep ends it within a second.
"$here/tools/wine-run.sh" "$build/mirelrep.exe" /range:10.96.0.0/26 /names /timeout:30 >/dev/null 2>"$out/stderr" &
pid=$!
for _ in $(seq 1 600); do grep -q Pinging "$out/stderr" && break; sleep 0.1; done
sleep 1
start=$(now)
kill -INT "$pid"
wait "$pid"
code=$?
took=$(( ($(now) - start) / 1000000 ))
[ "$code" = 6 ] || fail "Ctrl+C: exit $code, not 6 ($(cat stderr))"
[ "$took" -lt 3000 ] || fail "Ctrl+C took $took ms"

# What answered is checked: 127.0.0.1 through WMI (Wine has no remote WMI: a WMI error).
run /range:127.0.0.1/32 /outdir:run /q
[ "$code" = 7 ] || fail "a run over the range: exit $code, not 7 ($(cat stderr))"
grep -q "127.0.0.1" run/summary.csv || fail "the run's summary has not the address"

[ "$failures" = 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "range: every case passed"
