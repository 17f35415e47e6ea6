#!/bin/sh
# The inventory store's benchmarks, under Wine (nothing here runs in the tests):
#   1. recording cost: mirelrep with /store against the same run without it, alternately,
#      several rounds, medians; for the standard check of this computer and for a class
#      check. Target: recording adds at most 10 % of the check itself.
#   2. 100 re-checks of an unchanged computer: the store file after the first check and
#      after the hundredth (the log checkpointed into it). Target: at most 1.5 x.
#   3. a simulated store of 1,000 computers x 10 checks (bench/store_generator.cpp), then
#      bench/store_sim_bench.cpp on it: size, comparison, opening a stored check against
#      the live check of 1, and every ready-made question, also through mirelrep /question;
#      mirelrep /history against a /query of the same rows (target: at most 1.5 x); a
#      /query of 1,000,000 rows into a file (target: peak memory of the process < 100 MB).
#   bench/store_bench.sh [build folder] [rounds (11)] [parts: record,recheck,sim]
# Stores are made under /tmp and deleted at the end (MIREL_BENCH_KEEP=1 keeps them);
# MIREL_BENCH_STORE names a simulated store made earlier, which part 3 then uses (a copy)
# instead of making one.
set -e
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$here/build}" && pwd)
rounds=${2:-11}
parts=${3:-record,recheck,sim}
computers=${MIREL_BENCH_COMPUTERS:-1000}
[ -f "$build/mirelrep.exe" ] && [ -f "$build/bench/store_generator.exe" ] || {
    echo "build first: make build" >&2
    exit 1
}
work=$(mktemp -d /tmp/mirel-store-bench.XXXXXX)
[ -n "$MIREL_BENCH_KEEP" ] && echo "stores kept in $work" || trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM
prefix="$build/wine-bench"
"$here/tools/wine-prefix.sh" "$prefix" null >/dev/null
export WINEPREFIX="$prefix" WINEDEBUG=-all
out="$work/out.txt"
failed=0

# Wall-clock seconds of one run of a Windows program (its output in $out); the processor
# seconds it used (user and system) go into $work/cpu.txt.
seconds() {
    /usr/bin/time -f "%e %U %S" -o "$work/time.txt" "$here/tools/wine-run.sh" "$@" >"$out" 2>"$work/err.txt" || {
        code=$?
        [ "$code" -eq 9 ] || { echo "failed ($code): $*" >&2; cat "$work/err.txt" >&2; exit 1; }
    }
    tail -1 "$work/time.txt" | awk '{ printf "%.4f", $2 + $3 > "'"$work/cpu.txt"'"; printf "%.4f", $1 }'
}
median() {
    for value in "$@"; do echo "$value"; done | sort -g | awk '{ v[NR] = $1 } END {
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
verdict() {   # value target: PASS or FAIL
    if awk -v v="$1" -v t="$2" 'BEGIN { exit !(v <= t) }'; then echo PASS; else echo FAIL; fi
}
say() {   # prints a line of figures; a FAIL in it fails the bench
    echo "$1"
    case "$1" in *FAIL*) failed=1 ;; esac
}
bytes() { stat -c %s "$1"; }
# Where the bytes of a store file go: its largest tables and indexes (SQLite's dbstat).
where_bytes() {
    python3 - "$1" <<'PY' || true
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
rows = db.execute("SELECT name, sum(pgsize) FROM dbstat GROUP BY name ORDER BY 2 DESC").fetchall()
total = sum(size for _, size in rows)
print("  where the bytes go: " + ", ".join("%s %.0f %%" % (name, 100.0 * size / total) for name, size in rows[:6]))
PY
}

# Part 1: a check with and without recording, the order swapped every round.
recording_cost() {   # name, then mirelrep's arguments
    name=$1
    shift
    db="$work/record-$name.db"
    seconds "$build/mirelrep.exe" /q "$@" >/dev/null
    seconds "$build/mirelrep.exe" /q "$@" /store:"Z:$db" >/dev/null
    plain=""
    stored=""
    plaincpu=""
    storedcpu=""
    i=1
    while [ "$i" -le "$rounds" ]; do
        if [ $((i % 2)) -eq 1 ]; then
            p=$(seconds "$build/mirelrep.exe" /q "$@")
            pc=$(cat "$work/cpu.txt")
            s=$(seconds "$build/mirelrep.exe" /q "$@" /store:"Z:$db")
            sc=$(cat "$work/cpu.txt")
        else
            s=$(seconds "$build/mirelrep.exe" /q "$@" /store:"Z:$db")
            sc=$(cat "$work/cpu.txt")
            p=$(seconds "$build/mirelrep.exe" /q "$@")
            pc=$(cat "$work/cpu.txt")
        fi
        printf '  %s round %d: without the store %.3f s (processor %.3f s), with it %.3f s (%.3f s)\n' \
            "$name" "$i" "$p" "$pc" "$s" "$sc"
        plain="$plain $p"
        stored="$stored $s"
        plaincpu="$plaincpu $pc"
        storedcpu="$storedcpu $sc"
        i=$((i + 1))
    done
    # shellcheck disable=SC2086
    p=$(median $plain)
    # shellcheck disable=SC2086
    s=$(median $stored)
    # shellcheck disable=SC2086
    pc=$(median $plaincpu)
    # shellcheck disable=SC2086
    sc=$(median $storedcpu)
    share=$(awk -v p="$p" -v s="$s" 'BEGIN { printf "%.1f", 100 * (s - p) / p }')
    cpushare=$(awk -v p="$pc" -v s="$sc" 'BEGIN { printf "%.1f", 100 * (s - p) / p }')
    say "$(printf '%s check: median %.3f s without the store, %.3f s with it: recording adds %s %% (target <= 10 %%) %s' \
        "$name" "$p" "$s" "$share" "$(verdict "$share" 10)")"
    printf '%s check, processor time of the program: median %.3f s without the store, %.3f s with it: %s %%\n' \
        "$name" "$pc" "$sc" "$cpushare"
    [ "$name" = standard ] && live=$p
    return 0
}

live=""
case ",$parts," in *,record,*)
    echo "== 1. Recording cost, median of $rounds rounds"
    recording_cost standard
    recording_cost class /class:Win32_Service
esac

case ",$parts," in *,recheck,*)
    echo "== 2. 100 re-checks of an unchanged computer"
    db="$work/recheck.db"
    "$here/tools/wine-run.sh" "$build/mirelrep.exe" /q /store:"Z:$db" >/dev/null 2>&1
    first=$(bytes "$db")
    i=2
    while [ "$i" -le 100 ]; do
        "$here/tools/wine-run.sh" "$build/mirelrep.exe" /q /store:"Z:$db" >/dev/null 2>&1
        i=$((i + 1))
    done
    [ ! -s "$db-wal" ] || echo "  (the log was not checkpointed: $(bytes "$db-wal") bytes)"
    last=$(bytes "$db")
    ratio=$(awk -v a="$first" -v b="$last" 'BEGIN { printf "%.2f", b / a }')
    say "$(printf 'store file after 1 check %d bytes, after 100 checks %d bytes: %s x (target <= 1.5) %s' \
        "$first" "$last" "$ratio" "$(verdict "$ratio" 1.5)")"
    where_bytes "$db"
    "$here/tools/wine-run.sh" "$build/mirelrep.exe" /compare /store:"Z:$db" >"$out" 2>&1 && compared=0 || compared=$?
    echo "  the last two re-checks compared: exit code $compared (0: no changes)"
esac

case ",$parts," in *,sim,*)
    echo "== 3. A simulated store of $computers computers x 10 checks"
    db="$work/simulated.db"
    if [ -n "$MIREL_BENCH_STORE" ]; then
        cp "$MIREL_BENCH_STORE" "$db"
    else
        "$here/tools/wine-run.sh" "$build/bench/store_generator.exe" "Z:$db" "$computers" 10
    fi
    "$here/tools/wine-run.sh" "$build/bench/store_sim_bench.exe" "Z:$db" $live || failed=1
    where_bytes "$db"
    echo "  through mirelrep /question (the whole program, started under Wine):"
    for question in missing-hotfix:KB5003330 program:fabrikam low-disk:10 not-checked:3 windows-versions \
        recent-changes:7 stopped-auto-services; do
        name=${question%%:*}
        param=""
        [ "$name" = "$question" ] || param="/param:${question#*:}"
        # shellcheck disable=SC2086
        t=$(seconds "$build/mirelrep.exe" /question:"$name" $param /store:"Z:$db")
        say "$(printf '  %-24s %6d lines %.3f s (target <= 1 s) %s' "$name" "$(wc -l <"$out")" "$t" "$(verdict "$t" 1)")"
    done
    echo "  /history against a /query of the same rows (whole runs, median of 5):"
    same="/query:SELECT check_id, computer, checked_at, kind, result, complete, changes FROM checks ORDER BY checked_epoch, check_id"
    h=""
    q=""
    for i in 1 2 3 4 5; do
        h="$h $(seconds "$build/mirelrep.exe" /history /store:"Z:$db")"
        hl=$(wc -l <"$out")
        q="$q $(seconds "$build/mirelrep.exe" "$same" /store:"Z:$db")"
        ql=$(wc -l <"$out")
    done
    # shellcheck disable=SC2086
    h=$(median $h)
    # shellcheck disable=SC2086
    q=$(median $q)
    ratio=$(awk -v h="$h" -v q="$q" 'BEGIN { printf "%.2f", h / q }')
    say "$(printf '  /history %.3f s (%d lines), /query %.3f s (%d lines): %s x (target <= 1.5) %s' \
        "$h" "$hl" "$q" "$ql" "$ratio" "$(verdict "$ratio" 1.5)")"
    echo "  a /query of 1,000,000 rows into a file, peak memory of the process:"
    for format in csv json; do
        as=""
        [ "$format" = json ] && as=/format:json   # CSV is a query's own format
        # shellcheck disable=SC2086
        /usr/bin/time -f "%e %M" -o "$work/memory.txt" "$here/tools/wine-run.sh" "$build/mirelrep.exe" \
            "/query:SELECT * FROM object_values LIMIT 1000000" $as /store:"Z:$db" \
            /out:"Z:$work/million.$format" >/dev/null 2>"$work/err.txt" || { cat "$work/err.txt" >&2; failed=1; }
        read -r t kb <"$work/memory.txt"
        mb=$(awk -v k="$kb" 'BEGIN { printf "%.1f", k / 1024 }')
        say "$(printf '  %-4s %d lines, %d bytes in %.1f s, peak %s MB (target < 100 MB) %s' "$format" \
            "$(wc -l <"$work/million.$format")" "$(bytes "$work/million.$format")" "$t" "$mb" "$(verdict "$mb" 99.9)")"
        rm -f "$work/million.$format"
    done
esac
[ "$failed" -eq 0 ] && echo "every target met" || echo "A TARGET IS MISSED"
exit "$failed"
