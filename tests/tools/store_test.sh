#!/bin/sh
# The inventory store end to end under Wine, against the real local computer, in a Wine
# prefix of its own (a service is created in it): two checks in a row compare as "no
# changes"; after a new service, a third check shows exactly that one added object and exit
# code 9; /show gives back the first report and a JSON check byte for byte; Python's sqlite3
# finds the store sound. Then a bad day: mirelrep killed while it records, two recording at
# once, a disk that fills up, and bad input, each with its exit code and the store intact.
# Usage: store_test.sh <build folder>
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d /tmp/mirel-store.XXXXXX)
"$here/tools/wine-prefix.sh" "$build/wine-store" null >/dev/null 2>&1
export WINEPREFIX="$build/wine-store" WINEDEBUG=-all
wine="$here/tools/wine-run.sh"
cleanup() {
    "$wine" sc delete MirelStoreTest >/dev/null 2>&1
    umount "$out/full" 2>/dev/null
    rm -rf "$out"
}
trap cleanup EXIT
store="Z:$out/inventory.db"
fail() { echo "FAILED: $*"; exit 1; }
# Runs mirelrep; its exit code in $code, standard output in $out/stdout, errors in $out/stderr.
rep() { "$wine" "$build/mirelrep.exe" "$@" > "$out/stdout" 2> "$out/stderr"; code=$?; }
expect() { [ "$code" = "$1" ] || { cat "$out/stderr"; fail "$2: exit code $code, expected $1"; }; }

rep /q "/store:$store" "/out:Z:$out/first.txt"; expect 0 "first check"
rep /q "/store:$store" "/out:Z:$out/second.txt"; expect 0 "second check"
rep "/store:$store" /compare; expect 0 "two checks in a row"
grep -q "No changes." "$out/stdout" || fail "no 'No changes.' in: $(cat "$out/stdout")"

"$wine" sc create MirelStoreTest binpath= 'C:\windows\system32\notepad.exe' >/dev/null 2>&1 || fail "sc create"
rep /q "/store:$store" "/out:Z:$out/third.txt"; expect 0 "third check"
rep "/store:$store" /compare /format:csv; expect 9 "a new service"
python3 - "$out/stdout" <<'PY' || exit 1
import csv, sys
rows = list(csv.reader(open(sys.argv[1], encoding="cp1252", newline="")))
assert rows[1:] == [["Service", "Name=MirelStoreTest", "Added", "", "", ""]], rows
PY
rep /q "/store:$store" /show:1; expect 0 "/show:1"
cmp -s "$out/stdout" "$out/first.txt" || fail "/show:1 differs from the first report"
rep /q "/store:$store" /format:json "/out:Z:$out/check.json"; expect 0 "JSON check"
rep /q "/store:$store" /show:4 /format:json; expect 0 "/show:4"
cmp -s "$out/stdout" "$out/check.json" || fail "/show:4 differs from the JSON check"

# Questions: the services of the last check, as its JSON lists them; statements that would
# do more than read refused with the usage code and the store's bytes unchanged; every
# ready-made question answers.
rep "/store:$store" "/query:SELECT name FROM services ORDER BY name"; expect 0 "/query of the services"
python3 - "$out/stdout" "$out/check.json" <<'PY' || exit 1
import csv, json, sys
names = [row[0] for row in list(csv.reader(open(sys.argv[1], encoding="cp1252", newline="")))[1:]]
check = json.load(open(sys.argv[2], encoding="utf-8"))
services = next(c for c in check["categories"] if c["class"] == "Win32_Service")
column = [c["property"] for c in services["columns"]].index("Name")
assert names == sorted(row[column]["raw"] for row in services["rows"]), names
assert "MirelStoreTest" in names and len(names) > 10, names
PY
# The same rows as JSON, written as they come, are one document with typed values; an
# answer without rows still names its columns.
cp "$out/stdout" "$out/services.csv"
rep "/store:$store" "/query:SELECT name, 1 AS one, NULL AS missing FROM services ORDER BY name" /format:json
expect 0 "/query as JSON"
cp "$out/stdout" "$out/services.json"
rep "/store:$store" "/query:SELECT name FROM services WHERE name = ''" /format:json; expect 0 "/query without rows"
python3 - "$out/services.csv" "$out/services.json" "$out/stdout" <<'PY' || exit 1
import csv, json, sys
names = [row[0] for row in list(csv.reader(open(sys.argv[1], encoding="cp1252", newline="")))[1:]]
document = json.load(open(sys.argv[2], encoding="ascii"))
assert document["columns"] == ["name", "one", "missing"], document["columns"]
assert document["rows"] == [[name, 1, None] for name in names], document["rows"][:3]
assert json.load(open(sys.argv[3], encoding="ascii")) == {"columns": ["name"], "rows": []}
PY
sum=$(md5sum < "$out/inventory.db")
for sql in "DELETE FROM store_checks" "DROP VIEW services" "ATTACH 'Z:$out/x.db' AS x" "PRAGMA user_version = 9" \
           "SELECT 1; DELETE FROM store_checks"; do
    rep "/store:$store" "/query:$sql"; expect 2 "/query:$sql"
    grep -q "Refused" "$out/stderr" || fail "no refusal for $sql: $(cat "$out/stderr")"
done
[ "$(md5sum < "$out/inventory.db")" = "$sum" ] || fail "a refused statement changed the store"
rep /questions; expect 0 "/questions"
[ "$(grep -c '^[a-z]' "$out/stdout")" = 10 ] || fail "/questions: $(cat "$out/stdout")"
for question in "missing-hotfix /param:KB5034441" "program /param:wine /param:below=99" "low-disk /param:99" \
                "not-checked /param:1" windows-versions "recent-changes /param:1" stopped-auto-services \
                found-never-checked found-offline checked-not-found; do
    rep "/store:$store" /question:$question; expect 0 "/question:$question"
done
rep "/store:$store" /question:recent-changes /param:1 /format:json; expect 0 "changes as JSON"
grep -q MirelStoreTest "$out/stdout" || fail "the new service is not among the recent changes"

# Killed while it records (four computers each time, at different moments), and two
# processes recording at once: the store opens, is sound, and no check is half there.
for pause in 0.4 0.9 1.5; do
    "$wine" "$build/mirelrep.exe" . localhost "" /q "/store:$store" "/outdir:Z:$out/many" >/dev/null 2>&1 &
    pid=$!
    sleep $pause
    kill -9 $pid 2>/dev/null
    wait $pid 2>/dev/null
done
"$wine" "$build/mirelrep.exe" /q "/store:$store" "/out:Z:$out/a.txt" > /dev/null 2>&1 &
first=$!
rep /q "/store:$store" "/out:Z:$out/b.txt"
wait $first; [ $? = 0 ] || fail "one of two recording at once"
expect 0 "the other of two recording at once"
python3 - "$out/inventory.db" <<'PY' || exit 1
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
assert db.execute("PRAGMA integrity_check").fetchone()[0] == "ok"
assert db.execute("PRAGMA user_version").fetchone()[0] == 8
parts = db.execute("SELECT c.id, count(p.ordinal) FROM store_checks c"
                   " LEFT JOIN store_part_list_members p ON p.list_id = c.part_list_id"
                   " WHERE c.kind = 'standard' GROUP BY c.id").fetchall()
assert all(count in (0, 28) for _, count in parts), parts
assert len(parts) >= 6, parts
print("store: %d checks, sound" % len(parts))
PY

# Bad input: unknown check or computer, a store that is missing or not a store, a file
# that is not a check; nothing of the store changes.
sum=$(md5sum < "$out/inventory.db")
rep "/store:$store" /show:999; expect 2 "/show of an unknown check"
grep -q "holds no check 999" "$out/stderr" || fail "message: $(cat "$out/stderr")"
rep "/store:$store" /history:nosuch.invalid; expect 2 "/history of an unknown computer"
rep "/store:$store" /compare:nosuch.invalid; expect 2 "/compare of an unknown computer"
printf '{"computers": []}' > "$out/other.json"
rep "/store:$store" "/import:Z:$out/other.json"; expect 2 "/import of other JSON"
head -c 3000 "$out/check.json" > "$out/cut.json"
rep "/store:$store" "/import:Z:$out/cut.json"; expect 2 "/import of a cut-off check"
rep "/store:$store" /delete:2,999; expect 2 "/delete of a check that is not there"
grep -q "holds no check 999" "$out/stderr" || fail "message: $(cat "$out/stderr")"
rep "/store:$store" /delete:2,x; expect 2 "/delete of no number"
[ "$(md5sum < "$out/inventory.db")" = "$sum" ] || fail "bad input changed the store"
# Deleting checks by number: they go, with what only they used; the store stays sound.
rep "/store:$store" /delete:1,3; expect 0 "/delete:1,3"
grep -q "^Deleted 2 checks. The store now holds" "$out/stderr" || fail "message: $(cat "$out/stderr")"
rep "/store:$store" /show:3; expect 2 "/show of a deleted check"
python3 - "$out/inventory.db" <<'PY' || exit 1
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
assert db.execute("PRAGMA integrity_check").fetchone()[0] == "ok"
assert db.execute("SELECT count(*) FROM store_checks WHERE id IN (1, 3)").fetchone()[0] == 0
assert db.execute("SELECT count(*) FROM store_objects o WHERE NOT EXISTS"
                  " (SELECT 1 FROM store_set_members m WHERE m.object_id = o.id)").fetchone()[0] == 0
PY
rep "/store:Z:$out/none.db" /history; expect 5 "/history of a missing store"
[ -e "$out/none.db" ] && fail "a missing store was created"
printf 'not a database, just words\n' > "$out/words.db"
rep "/store:Z:$out/words.db" /q; expect 5 "a check into a file that is not a store"
[ "$(cat "$out/words.db")" = "not a database, just words" ] || fail "the file that is not a store changed"

# A disk that fills up while a check is recorded: the file-error exit code, the store as it
# was (needs the right to mount a tmpfs, as root).
mkdir "$out/full"
if mount -t tmpfs -o size=640k tmpfs "$out/full" 2>/dev/null; then
    rep /q "/store:Z:$out/full/inventory.db" "/out:Z:$out/full.txt"; expect 0 "a check onto the small disk"
    dd if=/dev/zero of="$out/full/filler" bs=4k count=1000 2>/dev/null
    rep /q "/store:Z:$out/full/inventory.db" "/out:Z:$out/full.txt" /format:json; expect 5 "a full disk"
    grep -q "is full" "$out/stderr" || fail "message: $(cat "$out/stderr")"
    rm "$out/full/filler"
    python3 - "$out/full/inventory.db" <<'PY' || exit 1
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
assert db.execute("PRAGMA integrity_check").fetchone()[0] == "ok"
assert db.execute("SELECT count(*) FROM store_checks").fetchone()[0] == 1
PY
else
    echo "(no tmpfs here: the full disk was not tried)"
fi
echo "store: all passed"
