#!/bin/sh
# The fleet report and the computer sheet end to end under Wine, in a prefix of its own: a
# store with two real checks of this computer (which has a service named as markup, set to
# start automatically and not running), checks of other computers imported from JSON with
# hostile and Japanese values; both reports in English and Japanese read by Python's HTML
# parser, their figures compared with the store's questions and views; then Debian's
# headless Chromium lays them out, shows the hostile values as text and prints them to PDF,
# whose pages pdftoppm makes into pictures (kept in $REPORT_PICTURES when it is set).
# Usage: report_test.sh <build folder>
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d /tmp/mirel-report.XXXXXX)
"$here/tools/wine-prefix.sh" "$build/wine-report" null >/dev/null 2>&1
export WINEPREFIX="$build/wine-report" WINEDEBUG=-all
wine="$here/tools/wine-run.sh"
image='<img src=x onerror=alert(1)>'
style='</style><script>alert(2)</script>'
cleanup() {
    "$wine" sc delete "$image" >/dev/null 2>&1
    rm -rf "$out"
}
trap cleanup EXIT
store="Z:$out/inventory.db"
. "$here/tests/tools/mirelrep_run.sh"
check() { python3 "$here/tests/tools/report_check.py" "$@" || fail "report_check $1"; }

"$wine" sc create "$image" binpath= 'C:\windows\system32\notepad.exe' displayname= "$style" start= auto \
    >/dev/null 2>&1 || fail "sc create"
rep /q "/store:$store" "/out:Z:$out/first.txt"; expect 0 "first check"
rep /q "/store:$store" /format:json "/out:Z:$out/this.json"; expect 0 "second check"
grep -q 'onerror' "$out/this.json" || fail "the hostile service is not in the check"

# Other computers, made from this computer's check: other systems, models, memory, a disk
# nearly full, programs in other versions, hostile and Japanese names; each twice, a week
# apart, so that the store holds changes of several days.
python3 - "$out" "$image" "$style" <<'PY' || exit 1
import copy, json, sys, datetime
out, image, style = sys.argv[1:4]
base = json.load(open(f"{out}/this.json", encoding="utf-8"))
def cells(check, cls):
    part = next(c for c in check["categories"] if c["class"] == cls)
    names = [c["property"] for c in part["columns"]]
    return part, names
def put(check, cls, prop, raw, text=None, row=0):
    part, names = cells(check, cls)
    if not part["rows"]:
        part["rows"].append([{"raw": None, "text": ""} for _ in names])
    part["rows"][row][names.index(prop)] = {"raw": raw, "text": text if text is not None else str(raw)}
others = [("PC-A", "Microsoft Windows 7 Professional", "6.1.7601", image, 4 << 30, 2),
          ("\u7d4c\u7406-PC02", "Microsoft Windows 11 Pro", "10.0.22631", "\u30e2\u30c7\u30eb X", 16 << 30, 40),
          ("PC-HOSTILE", style, "10.0.19045", "ThinkPad", 8 << 30, 80)]
now = datetime.datetime.now(datetime.timezone.utc).replace(microsecond=0)
for number, (name, caption, version, model, memory, free) in enumerate(others):
    for round_, days in enumerate((9, 2)):
        check = copy.deepcopy(base)
        check["computer"] = check["computerName"] = name
        check["checkedAt"] = (now - datetime.timedelta(days=days, hours=number)).isoformat()
        put(check, "Win32_ComputerSystem", "Name", name)
        put(check, "Win32_ComputerSystem", "Model", model)
        put(check, "Win32_OperatingSystem", "Caption", caption)
        put(check, "Win32_OperatingSystem", "Version", version)
        put(check, "Win32_OperatingSystem", "BuildNumber", version.split(".")[-1])
        put(check, "Win32_OperatingSystem", "TotalVisibleMemorySize", memory // 1024)
        part, names = cells(check, "Win32_PhysicalMemory")
        part["rows"] = []
        part, names = cells(check, "Win32_LogicalDisk")
        for row in part["rows"]:
            if row[names.index("DriveType")]["raw"] == 3:
                size = 500 * 10**9
                row[names.index("Size")] = {"raw": size, "text": str(size)}
                row[names.index("FreeSpace")] = {"raw": size * free // 100 // (round_ + 1), "text": "x"}
        part, names = cells(check, "Win32_Product")
        template = [{"raw": None, "text": ""} for _ in names]
        for program, program_version in ((f"\u7d4c\u7406\u30bd\u30d5\u30c8 {image}", f"{round_ + 1}.0"),
                                         ("Contoso Agent", f"{number}.{round_}")):
            row = copy.deepcopy(template)
            for prop, value in (("Name", program), ("Version", program_version), ("IdentifyingNumber", "{X}"),
                                ("Vendor", style)):
                row[names.index(prop)] = {"raw": value, "text": value}
            part["rows"].append(row)
        json.dump(check, open(f"{out}/other{number}-{round_}.json", "w", encoding="utf-8"))
PY
for file in "$out"/other*.json; do
    rep /q "/store:$store" "/import:Z:$file"; expect 0 "import of $file"
done
this=$(python3 -c "import json,sys; print(json.load(open(sys.argv[1], encoding='utf-8'))['computerName'])" "$out/this.json")

# The reports, and what is refused.
rep "/store:$store" /report "/out:Z:$out/fleet.html"; expect 0 "/report"
rep "/store:$store" "/report:$this" "/out:Z:$out/sheet.html"; expect 0 "/report:$this"
rep "/store:$store" "/report:pc-hostile" "/out:Z:$out/hostile.html"; expect 0 "/report:pc-hostile"
rep "/store:$store" "/report:no-such-computer.invalid" "/out:Z:$out/none.html"; expect 2 "/report of an unknown computer"
[ ! -e "$out/none.html" ] || fail "a report of an unknown computer was written"
rep "/store:Z:$out/missing.db" /report "/out:Z:$out/none.html"; expect 5 "/report of a missing store"
rep "/store:$store" /report /format:json; expect 2 "/report with /format:json"
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 rep "/store:$store" /report "/out:Z:$out/fleet-ja.html"; expect 0 "/report in Japanese"
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 rep "/store:$store" "/report:$this" "/out:Z:$out/sheet-ja.html"
expect 0 "/report:$this in Japanese"
grep -q '<html lang="ja">' "$out/fleet-ja.html" && grep -q 'インベントリ レポート' "$out/fleet-ja.html" || fail "fleet-ja"
grep -q 'コンピューター シート' "$out/sheet-ja.html" || fail "sheet-ja"

check "$out/fleet.html" "$style" "$image" "モデル X" "経理-PC02" > "$out/fleet.json"
check "$out/sheet.html" "$image" "$style" > "$out/sheet.json"
check "$out/hostile.html" "$style" "経理ソフト $image" > /dev/null
check "$out/fleet-ja.html" "$style" > /dev/null
check "$out/sheet-ja.html" "$image" > /dev/null

# The figures are the store's own answers.
rep "/store:$store" /question:windows-versions /format:json; expect 0 windows-versions; cp "$out/stdout" "$out/versions.json"
rep "/store:$store" /question:low-disk /param:10 /format:json; expect 0 low-disk; cp "$out/stdout" "$out/low.json"
rep "/store:$store" /question:not-checked /param:7 /format:json; expect 0 not-checked; cp "$out/stdout" "$out/old.json"
rep "/store:$store" /question:stopped-auto-services /format:json; expect 0 services; cp "$out/stdout" "$out/stopped.json"
rep "/store:$store" /question:recent-changes /param:30 /format:json; expect 0 changes; cp "$out/stdout" "$out/changes.json"
rep "/store:$store" "/query:SELECT name, count(DISTINCT computer), count(DISTINCT version) FROM products GROUP BY name" \
    /format:json; expect 0 products; cp "$out/stdout" "$out/products.json"
rep "/store:$store" "/query:SELECT computer, memory_bytes, model FROM hardware" /format:json; expect 0 hardware
cp "$out/stdout" "$out/hardware.json"
rep "/store:$store" "/query:SELECT count(*) FROM computers" /format:json; expect 0 computers; cp "$out/stdout" "$out/count.json"
python3 - "$out" "$this" <<'PY' || fail "the figures differ from the store's answers"
import json, sys, collections
out, this = sys.argv[1:3]
load = lambda name: json.load(open(f"{out}/{name}", encoding="utf-8"))
fleet, sheet = load("fleet.json"), load("sheet.json")
rows = lambda name: load(name)["rows"]
charts = fleet["charts"]
computers = rows("count.json")[0][0]
assert fleet["figures"]["Computers"] == str(computers) == "4", fleet["figures"]
assert int(fleet["figures"]["Checked in the last 7 days"]) == computers - len(rows("old.json")), fleet["figures"]
versions = collections.Counter()
for caption, version, build, pack, count in rows("versions.json"):
    versions[" ".join(t.strip() for t in (caption, version) if t and t.strip())] += count
assert dict(charts["Operating systems and builds"]) == dict(versions), (charts["Operating systems and builds"], versions)
low = [[r[0], r[1]] for r in rows("low.json")]
assert [r[:2] for r in fleet["tables"]["low-disks"]] == low and low, (fleet["tables"]["low-disks"], low)
programs = {name: (count, versions) for name, count, versions in rows("products.json")}
for label, value in charts["Programs on most computers"]:
    assert programs[label][0] == value, (label, value)
for label, value in charts["Programs found in several versions"]:
    assert programs[label][1] == value > 1, (label, value)
assert sum(v for _, v in charts["Memory"]) == len(rows("hardware.json")), charts["Memory"]
changes = rows("changes.json")
assert sum(v for _, v in charts["Changes of the last 30 days, per day"]) == len(changes) > 0, len(changes)
listed = {r[0] for r in fleet["tables"]["computers"]}
assert len(listed) == computers and this in listed and "\u7d4c\u7406-PC02" in listed, listed
stopped = sorted([r[1], r[2]] for r in rows("stopped.json") if r[0] == this)
assert sorted(r[:2] for r in sheet["tables"]["services"]) == stopped and stopped, (sheet["tables"]["services"], stopped)
summary = {r[0]: r[1] for r in sheet["tables"]["facts"]}
assert summary["Name"].lower() == this.lower(), summary
PY

# Headless Chromium: the pages are laid out, no script runs (the DOM holds no image or
# script element, the hostile values are text), and they print to PDF.
command -v chromium >/dev/null 2>&1 || fail "chromium is missing (make deps installs it)"
browse() {
    profile=$(mktemp -d "$out/profile.XXXXXX")
    timeout 120 chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
        --disable-component-update --disable-sync --user-data-dir="$profile" "$@" 2>/dev/null
}
for page in fleet sheet fleet-ja sheet-ja; do
    browse --dump-dom "file://$out/$page.html" > "$out/$page.dom" || fail "chromium --dump-dom $page"
    grep -qi '<script\|<img' "$out/$page.dom" && fail "$page: the browser made an element of a value"
    grep -q 'onerror=alert(1)' "$out/$page.dom" || fail "$page: the hostile value is not in the page"
    browse --screenshot="$out/$page.png" --window-size=1280,2000 "file://$out/$page.html" || fail "screenshot $page"
    browse --no-pdf-header-footer --print-to-pdf="$out/$page.pdf" "file://$out/$page.html" || fail "PDF $page"
    pages=$(pdfinfo "$out/$page.pdf" | awk '/^Pages:/ {print $2}')
    [ "${pages:-0}" -ge 1 ] || fail "$page.pdf has no page"
    pdftoppm -r 60 -png "$out/$page.pdf" "$out/$page-page" || fail "pdftoppm $page"
done
if [ -n "$REPORT_PICTURES" ]; then
    mkdir -p "$REPORT_PICTURES" && cp "$out"/*.png "$out"/*.pdf "$out"/*.html "$REPORT_PICTURES/"
fi
pdftotext "$out/fleet.pdf" - | tr -d " \n\f" | grep -qF "<imgsrc=xonerror=alert(1)>" || fail "the printed fleet report does not show the hostile value"
pdftotext "$out/fleet.pdf" - | grep -q "Inventory report" || fail "the printed footer or title is missing"
echo "reports: OK"
