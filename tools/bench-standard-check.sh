#!/bin/sh
# Times the standard check of the local computer through mirelrep.exe against the raw
# enumeration of the same 28 queries (bench/raw_enumeration.cpp: no rendering, decoding or
# writing), alternately, several rounds, under Wine; prints every time and the median of
# the ratios mirelrep / raw.
#   tools/bench-standard-check.sh [build-dir] [rounds]
set -e
build=${1:-build}
rounds=${2:-9}
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$build" && pwd)
[ -f "$build/mirelrep.exe" ] && [ -f "$build/bench/raw_enumeration.exe" ] || {
    echo "build first: make build" >&2
    exit 1
}
prefix="$build/wine-bench"
"$here/wine-prefix.sh" "$prefix" null >/dev/null
export WINEPREFIX="$prefix" WINEDEBUG=-all
out=$(mktemp)
trap 'rm -f "$out"' EXIT

# Wall-clock seconds of one run of a Windows program (its output discarded).
seconds() {
    start=$(date +%s.%N)
    "$here/wine-run.sh" "$@" >"$out" 2>/dev/null || { echo "failed: $*" >&2; exit 1; }
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f", e - s }'
}

# One warm-up run of each, so that Wine's services and the page cache are ready.
seconds "$build/bench/raw_enumeration.exe" >/dev/null
printf 'raw enumeration reads: %s\n' "$(cat "$out")"
seconds "$build/mirelrep.exe" /q >/dev/null
printf 'mirelrep report: %s lines\n' "$(wc -l <"$out")"

ratios=""
raws=""
reps=""
i=1
while [ "$i" -le "$rounds" ]; do
    raw=$(seconds "$build/bench/raw_enumeration.exe")
    rep=$(seconds "$build/mirelrep.exe" /q)
    ratio=$(awk -v a="$rep" -v b="$raw" 'BEGIN { printf "%.4f", a / b }')
    printf 'round %2d: mirelrep %.3f s, raw %.3f s, ratio %.3f\n' "$i" "$rep" "$raw" "$ratio"
    ratios="$ratios $ratio"
    raws="$raws $raw"
    reps="$reps $rep"
    i=$((i + 1))
done
median() {
    for value in "$@"; do echo "$value"; done | sort -g | awk '{ v[NR] = $1 } END {
        if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
# shellcheck disable=SC2086
printf 'median times: mirelrep %.3f s, raw %.3f s\n' "$(median $reps)" "$(median $raws)"
# shellcheck disable=SC2086
printf 'median ratio mirelrep / raw: %.3f (target at most 1.15)\n' "$(median $ratios)"
