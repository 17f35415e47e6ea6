#!/bin/sh
# One history per computer and nothing counted twice, with mirelrep under Wine and the real
# local computer: a check saved as JSON, sent as if checked under a short name and a DNS
# name, gives one computer with two checks; the same check imported twice is recorded once
# ("already in the store", exit 0, in English and Japanese); the highest number pruned is
# not given again; /copyto copies every check once; a class check is filed under the name
# WMI gives, with the name it was typed as beside it.
# Usage: store_identity_test.sh <build folder>
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d /tmp/mirel-identity.XXXXXX)
trap '[ -n "$KEEP" ] || rm -rf "$out"' EXIT
. "$here/tests/tools/mirelrep_run.sh"
said() { grep -q "$1" "$out/stderr" || fail "$2: stderr says: $(cat "$out/stderr")"; }
store="Z:$out/inventory.db"

rep /q /format:json "/out:Z:$out/local.json"; expect 0 "a check of this computer as JSON"
# The same check as mirelrep elsewhere would have written it for pc01 a day earlier, for
# pc01.corp.example (its own name left out: the computer-system category names it), 40
# days earlier (the oldest, imported last) and an hour later.
python3 - "$out" <<'PY' || fail "making the JSON checks"
import datetime, json, sys
folder = sys.argv[1]
check = json.load(open(folder + "/local.json", encoding="utf-8"))
at = datetime.datetime.fromisoformat(check["checkedAt"])
def save(name, computer, hours, own_name=True):
    copy = dict(check, computer=computer, checkedAt=(at + datetime.timedelta(hours=hours)).isoformat())
    if not own_name:
        copy["computerName"] = ""
    json.dump(copy, open(folder + "/" + name, "w", encoding="utf-8"))
save("short.json", "pc01", -24)
save("dns.json", "pc01.corp.example", 0, own_name=False)
save("old.json", "pc01", -24 * 40)
save("new.json", "10.0.0.5", 1)
PY
name=$(python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["computerName"])' "$out/local.json")
[ -n "$name" ] || fail "the JSON check names no computer"

rep "/store:$store" "/import:Z:$out/short.json"; expect 0 "importing short.json"
said "as check 1\." "the first import"
rep "/store:$store" "/import:Z:$out/short.json"; expect 0 "importing short.json again"
said "already in the inventory store as check 1; nothing was recorded" "the second import"
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 rep /utf8 "/store:$store" "/import:Z:$out/short.json"
expect 0 "importing short.json again in Japanese"
said "調査 1 として既にあります" "the second import in Japanese"
rep "/store:$store" "/import:Z:$out/dns.json"; expect 0 "importing dns.json"
rep "/store:$store" "/import:Z:$out/local.json"; expect 0 "importing the check dns.json was made of"
said "already in the inventory store as check 2" "the check typed otherwise"
rep "/store:$store" /history:pc01.corp.example /format:json; expect 0 "/history of the DNS name"
python3 - "$out/stdout" "$name" <<'PY' || fail "the history of one computer: $(cat "$out/stdout")"
import json, sys
checks = json.load(open(sys.argv[1], encoding="utf-8"))
assert [(c["check"], c["computer"], c["typedAs"]) for c in checks] == \
    [(1, sys.argv[2], "pc01"), (2, sys.argv[2], "pc01.corp.example")], checks
PY
rep "/store:$store" /history; expect 0 "/history as CSV"
head -n 1 "$out/stdout" | grep -q "^\"Check\",\"Computer\",\"Typed as\",\"Checked at\"," || fail "the history's columns: $(head -n 1 "$out/stdout")"

# The oldest check, imported last, has the highest number; pruned, its number stays unused.
rep "/store:$store" "/import:Z:$out/old.json"; expect 0 "importing old.json"
said "as check 3\." "the old check's number"
rep /q "/store:$store" /prune:30; expect 0 "/prune:30"
rep "/store:$store" "/import:Z:$out/new.json"; expect 0 "importing new.json"
said "as check 4\." "the number after the pruned one"

# Every check into another store, once.
rep "/store:$store" "/copyto:Z:$out/copy.db"; expect 0 "/copyto"
said "Checks copied from .* to .*copy.db: 3; already there: 0" "the first copy"
rep "/store:$store" "/copyto:Z:$out/copy.db"; expect 0 "/copyto again"
said "Checks copied from .*: 0; already there: 3" "the second copy"
rep "/store:$store" /history; cp "$out/stdout" "$out/history.csv"
rep "/store:Z:$out/copy.db" /history; expect 0 "/history of the copy"
cmp -s "$out/stdout" "$out/history.csv" || fail "the copy's history differs: $(diff "$out/history.csv" "$out/stdout")"
rep "/store:$store" "/copyto:$store"; expect 2 "/copyto of a store into itself"

# A class check is filed under the name WMI gives, the name typed beside it.
rep localhost /noping /q /class:Win32_BIOS "/store:$store" "/out:Z:$out/bios.csv"; expect 0 "a class check of localhost"
rep "/store:$store" "/query:SELECT computer, typed_as FROM checks WHERE kind = 'Win32_BIOS'"; expect 0 "/query"
[ "$(tail -n 1 "$out/stdout" | tr -d '\r')" = "\"$name\",\"localhost\"" ] || fail "the class check's computer: $(cat "$out/stdout")"
echo "store identity: 1 passed, 0 failed"
