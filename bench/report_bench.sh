#!/bin/sh
# The reports' figures under Wine: a simulated store of 1,000 computers x 10 checks
# (bench/store_generator.cpp, made once and kept beside the build), the fleet report and
# a computer sheet timed by build/bench/report_bench.exe, then the fleet report laid out and
# printed to PDF by Debian's headless Chromium (target 5 s, worst of 3).
#   bench/report_bench.sh [build folder] [store file]
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
db=${2:-$build/bench/simulated-1000.db}
work=$(mktemp -d /tmp/mirel-report-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
"$here/tools/wine-prefix.sh" "$build/wine-bench" null >/dev/null 2>&1
export WINEPREFIX="$build/wine-bench" WINEDEBUG=-all
if [ ! -f "$db" ]; then
    echo "== Making the simulated store $db (1,000 computers x 10 checks)"
    "$here/tools/wine-run.sh" "$build/bench/store_generator.exe" "Z:$db" 1000 10 || exit 1
fi
echo "== The reports of $db"
"$here/tools/wine-run.sh" "$build/bench/report_bench.exe" "Z:$db" "Z:$work"; failed=$?
echo "== The fleet report ($(stat -c %s "$work/fleet.html") bytes) in headless Chromium"
worst=0   # milliseconds
for round in 1 2 3; do
    profile=$(mktemp -d "$work/profile.XXXXXX")
    start=$(date +%s%N)
    chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
        --disable-component-update --disable-sync --user-data-dir="$profile" --no-pdf-header-footer \
        --print-to-pdf="$work/fleet.pdf" "file://$work/fleet.html" 2>/dev/null || failed=1
    took=$(( ($(date +%s%N) - start) / 1000000 ))
    echo "  round $round: $took ms"
    [ "$took" -gt "$worst" ] && worst=$took
done
pages=$(pdfinfo "$work/fleet.pdf" | awk '/^Pages:/ {print $2}')
# For comparison only: the same without the PDF's structure tags, which Chromium writes by
# default.
profile=$(mktemp -d "$work/profile.XXXXXX")
start=$(date +%s%N)
chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$profile" --no-pdf-header-footer \
    --disable-pdf-tagging --print-to-pdf="$work/untagged.pdf" "file://$work/fleet.html" 2>/dev/null || failed=1
echo "  untagged (--disable-pdf-tagging): $(( ($(date +%s%N) - start) / 1000000 )) ms"
verdict=PASS; [ "$worst" -le 5000 ] || { verdict=FAIL; failed=1; }
echo "fleet report laid out and printed to PDF (worst of 3): $worst ms, $pages pages (target <= 5 s) $verdict"
exit $failed
