#!/bin/sh
# Ctrl+C never means success: mirelrep under Wine gets a real Ctrl+C (SIGINT, which Wine
# hands to the console's handlers as CTRL_C_EVENT) during name resolution (a name server
# that never answers), at the password prompt, during a check with /out:, in a run over
# many computers and at moments spread over a check recorded into a store. Every run the
# key reached ends with exit code 6 and the message, within about a second; a result file
# keeps its previous content or holds a whole (incomplete) result, never part of one; a
# store holds the check whole or not at all; a question to the store that never ends stops
# on the key and at its /timeout:. Runs inside stalled_name_server.sh.
# Usage: ctrl_c_test.sh <build folder>
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d /tmp/mirel-ctrlc.XXXXXX)
trap 'rm -rf "$out"' EXIT
cd "$out"
failures=0
cases=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
now() { date +%s%N; }

# Starts mirelrep with the arguments, waits for the moment (a query at the name server, a
# text on standard error, or nothing), then <delay> seconds, presses Ctrl+C and checks the
# end: sets $code, $took (ms from the key to the end) and $sent (0 when the run had ended
# before the key).
press() {   # <moment: dns | busy | text to wait for | -> <delay> <stdin> <arguments...>
    moment=$1; delay=$2; input=$3; shift 3
    : >"$MIREL_STALLED_LOG"
    "$here/tools/wine-run.sh" "$build/mirelrep.exe" "$@" <"$input" >"$out/stdout" 2>"$out/stderr" &
    pid=$!
    waited=0
    while [ "$moment" != - ] && [ "$waited" -lt 300 ] && kill -0 "$pid" 2>/dev/null; do
        if [ "$moment" = dns ]; then
            [ -s "$MIREL_STALLED_LOG" ] && break
        elif [ "$moment" = busy ]; then   # a second of processor time: past Wine's start, at work
            [ "$(awk '{ print $14 + $15 }' "/proc/$pid/stat" 2>/dev/null || echo 0)" -ge 100 ] && break
        elif grep -q "$moment" "$out/stderr" 2>/dev/null; then
            break
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    sleep "$delay"
    start=$(now)
    if kill -INT "$pid" 2>/dev/null; then sent=1; else sent=0; fi
    wait "$pid"
    code=$?
    took=$(( ($(now) - start) / 1000000 ))
    [ "$sent" = 0 ] || cases=$((cases + 1))
}

interrupted() {   # <what>
    if [ "$code" != 6 ]; then
        fail "$1: exit code $code, not 6 ($(cat "$out/stderr"))"
    elif ! grep -q "Interrupted by Ctrl+C" "$out/stderr"; then
        fail "$1: no message ($(cat "$out/stderr"))"
    elif [ "$took" -gt 1500 ]; then
        fail "$1: ended $took ms after the key"
    else
        echo "ok: $1 (exit 6 after $took ms)"
    fi
}

"$here/tools/wine-run.sh" cmd /c exit   # Wine's services up before the first timing

press dns 0.5 /dev/null pc01.stalled.example /q /class:Win32_BIOS
interrupted "during name resolution"

mkfifo "$out/never"
(sleep 30 >"$out/never") &
writer=$!
press "Password for" 0.5 "$out/never" 127.0.0.1 /noping '/user:TEST\someone' /password:* /class:Win32_BIOS
kill "$writer" 2>/dev/null
interrupted "at the password prompt"

press dns 0.5 /dev/null pc01.stalled.example pc02.stalled.example pc03.stalled.example /q /outdir:many
interrupted "in a run over many computers"
grep -c "Stopped" many/summary.csv >/dev/null || fail "many computers: no summary with the stopped ones"

# A single check with /out: over a file that holds an earlier result, the key at moments
# spread over the check (from its first progress line on).
for delay in 0 0.3 1 2 4 6; do
    printf 'earlier result\r\n' >report.txt
    press Checking "$delay" /dev/null /out:report.txt
    [ "$sent" = 1 ] || continue
    interrupted "a standard check, the key after $delay s"
    if ! grep -q "^earlier result" report.txt && ! sed -n 3p report.txt | grep -q "This report is incomplete"; then
        fail "after $delay s the report is neither the earlier one nor a whole incomplete one: $(head -3 report.txt)"
    fi
done

# A check recorded into a store: whole or not at all.
for delay in 0 0.5 1 2 3; do
    rm -f store.db*
    press Checking "$delay" /dev/null /class:Win32_Process /store:store.db /out:processes.csv
    [ "$sent" = 1 ] || continue
    # A class check can be over before the key lands on a busy machine: the key then meets
    # a process already on its way out, after the run looked for it for the last time.
    # Exit 0 is honest then, provided the check was recorded whole.
    if [ "$code" = 0 ] && grep -q "Recorded in the inventory store as check 1" "$out/stderr"; then
        echo "ok: a recorded check, the key after $delay s came after its end (exit 0)"
        cases=$((cases - 1))
    else
        interrupted "a recorded check, the key after $delay s"
    fi
    if [ -f store.db ]; then
        "$here/tools/wine-run.sh" "$build/mirelrep.exe" /history /store:store.db >history.csv 2>/dev/null
        rows=$(($(wc -l <history.csv) - 1))
        [ "$rows" -le 1 ] || fail "the store holds $rows checks of one run"
    fi
done

# A question to the store that never ends (a recursive query without an end): Ctrl+C ends it
# within a second, the result file left as it was; /timeout:3 ends it within 5 s.
rm -f store.db*
"$here/tools/wine-run.sh" "$build/mirelrep.exe" /q /class:Win32_BIOS /store:store.db /out:bios.csv >/dev/null 2>&1 ||
    fail "no store to ask"
endless='/query:WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) SELECT count(*) FROM n'
printf 'earlier answer\r\n' >answer.csv
press busy 0.5 /dev/null /store:store.db "$endless" /out:answer.csv
interrupted "an endless question"
grep -q "^earlier answer" answer.csv || fail "the interrupted question replaced the result file"
start=$(now)
"$here/tools/wine-run.sh" "$build/mirelrep.exe" /store:store.db "$endless" /timeout:3 >"$out/stdout" 2>"$out/stderr"
code=$?
took=$(( ($(now) - start) / 1000000 ))
if [ "$code" != 6 ] || ! grep -q "time limit of 3 seconds" "$out/stderr" || [ "$took" -gt 5000 ]; then
    fail "an endless question with /timeout:3: exit $code after $took ms ($(cat "$out/stderr"))"
else
    echo "ok: an endless question with /timeout:3 (exit 6 after $took ms)"
fi

echo "$cases runs interrupted, $failures failures"
[ "$failures" = 0 ]
