#!/bin/sh
# mirelrep over the local computer (twice by name), loopback (Wine has no remote WMI) and a
# name that never resolves, under Wine: two OK rows, one WMI error (0x80041015), one host
# not found, exit code 7; Python's csv and json read the summary, and with /format:json
# every cell of the check's JSON has a raw value and a text.
# Usage: many_computers_test.sh <build folder>
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d /tmp/mirel-many.XXXXXX)
trap 'rm -rf "$out"' EXIT
run() { "$here/tools/wine-run.sh" "$build/mirelrep.exe" "$@" >/dev/null 2>&1; echo $?; }

code=$(run "" localhost 127.0.0.1 nothere.invalid /q "/outdir:Z:$out/text")
[ "$code" = 7 ] || { echo "exit code $code, expected 7"; exit 1; }
code=$(run "" /q /format:json "/outdir:Z:$out/json")
[ "$code" = 0 ] || { echo "exit code $code of the JSON run, expected 0"; exit 1; }

python3 - "$out" <<'PY'
import csv, json, os, sys
out = sys.argv[1]
with open(os.path.join(out, "text", "summary.csv"), newline="", encoding="cp1252") as f:
    rows = list(csv.reader(f))
header, rows = rows[0], rows[1:]
assert header[:3] == ["Computer", "Result", "Error code"], header
results = {row[0]: (row[1], row[2]) for row in rows}
assert results == {"[Local Computer]": ("OK", ""), "localhost": ("OK", ""),
                   "127.0.0.1": ("WMI error", "0x80041015"), "nothere.invalid": ("Host not found", "")}, results
for row in rows:
    assert len(row) == len(header), row
ok = [row for row in rows if row[1] == "OK"]
assert all(int(row[header.index("Memory (bytes)")]) > 0 for row in ok), ok
with open(os.path.join(out, "text", "summary.json"), encoding="utf-8") as f:
    summary = json.load(f)
assert [c["result"] for c in summary["computers"]] == ["ok", "ok", "wmiError", "hostNotFound"], summary
assert summary["tally"]["ok"] == 2 and summary["tally"]["wmiError"] == 1 and summary["tally"]["hostNotFound"] == 1
assert isinstance(summary["computers"][0]["memoryBytes"], int)
assert sorted(os.listdir(os.path.join(out, "text"))) == [
    "LocalComputer_Resource.txt", "localhost_Resource.txt", "summary.csv", "summary.json"]
with open(os.path.join(out, "json", "LocalComputer_Resource.json"), encoding="utf-8") as f:
    check = json.load(f)
assert len(check["categories"]) == 28 and check["complete"] is True
cells = [cell for category in check["categories"] for row in category["rows"] for cell in row]
assert cells and all(set(cell) == {"raw", "text"} and isinstance(cell["text"], str) for cell in cells)
assert any(isinstance(cell["raw"], int) for cell in cells) and any(isinstance(cell["raw"], str) for cell in cells)
print("many computers: %d summary rows, %d JSON cells read by Python" % (len(rows), len(cells)))
PY
