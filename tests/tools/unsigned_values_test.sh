#!/bin/sh
# An unsigned WMI number above 2^31 shows unsigned everywhere: with a real X display and
# Direct3D's VideoMemorySize at 4095, Wine's Win32_VideoController.AdapterRAM is
# 0xFFF00000, delivered as VT_I4 like every uint32. The class CSV, the standard report and
# the JSON (raw and text) must say 4293918720, never -1048576. Runs under Xvfb in a prefix
# of its own with the X11 driver; MIREL_TEST_DISPLAY names a display to use (default: the
# first free one). Exits 77 (skipped) without Xvfb.
# Usage: unsigned_values_test.sh <build folder>
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/../.." && pwd)
command -v Xvfb >/dev/null || { echo "no Xvfb: skipped"; exit 77; }
out=$(mktemp -d /tmp/mirel-unsigned.XXXXXX)
xvfb=""
cleanup() { [ -n "$xvfb" ] && kill "$xvfb"; rm -rf "$out"; }
trap cleanup EXIT
if [ -n "$MIREL_TEST_DISPLAY" ]; then
    Xvfb "$MIREL_TEST_DISPLAY" -screen 0 800x600x24 >/dev/null 2>&1 &
    xvfb=$!
    DISPLAY=$MIREL_TEST_DISPLAY
else
    Xvfb -displayfd 3 -screen 0 800x600x24 3>"$out/display" >/dev/null 2>&1 &
    xvfb=$!
    while [ ! -s "$out/display" ] && kill -0 "$xvfb" 2>/dev/null; do sleep 0.1; done
    DISPLAY=:$(cat "$out/display")
fi
sleep 0.5
export DISPLAY WINEPREFIX="$build/wine-x11" WINEDEBUG=-all
"$here/tools/wine-prefix.sh" "$WINEPREFIX" x11 >/dev/null
run() { "$here/tools/wine-run.sh" "$@" 2>/dev/null; }
run reg add 'HKCU\Software\Wine\Direct3D' /v VideoMemorySize /d 4095 /f >/dev/null
run "$build/mirelrep.exe" /q /class:Win32_VideoController "/out:Z:$out/video.csv"
run "$build/mirelrep.exe" /q "/out:Z:$out/report.txt"
run "$build/mirelrep.exe" /q /class:Win32_VideoController /format:json "/out:Z:$out/video.json"
wineserver -k

python3 - "$out" <<'PY'
import csv, json, os, sys
out = sys.argv[1]
def read(name):
    with open(os.path.join(out, name), encoding="cp1252") as f:
        return f.read()
rows = list(csv.reader(read("video.csv").splitlines()))
ram = [row for row in rows if row[1] == "AdapterRAM"]
assert ram and ram[0][3] == "4,293,918,720", ram
report = read("report.txt")
assert '"4,293,918,720"' in report and "-1,048,576" not in report, "the report shows the number signed"
check = json.loads(read("video.json"))
table = check["classes"][0]
column = [c["property"] for c in table["columns"]].index("AdapterRAM")
assert table["rows"][0][column] == {"raw": 4293918720, "text": "4,293,918,720"}, table["rows"][0][column]
print("AdapterRAM is 4,293,918,720 in the CSV, the report and the JSON")
PY
