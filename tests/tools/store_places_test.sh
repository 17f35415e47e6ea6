#!/bin/sh
# Where teams keep a store, and a store found damaged, end to end under Wine in a prefix of
# its own: a store on a drive Wine declares a network drive keeps SQLite's rollback journal,
# never a write-ahead log; a store in a read-only bind mount answers /history and says why
# it cannot be written; with a byte flipped where SQLite's integrity check finds it,
# /verify exits 5 naming the damage, and every recording is refused (exit 5) with the file
# unchanged byte for byte until /verify finds it sound again.
# Usage: store_places_test.sh <build folder>
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d /tmp/mirel-places.XXXXXX)
"$here/tools/wine-prefix.sh" "$build/wine-places" null >/dev/null 2>&1
export WINEPREFIX="$build/wine-places" WINEDEBUG=-all
wine="$here/tools/wine-run.sh"
cleanup() {
    umount "$out/ro" 2>/dev/null
    rm -f "$WINEPREFIX/dosdevices/n:"
    "$wine" reg delete 'HKLM\Software\Wine\Drives' /v n: /f >/dev/null 2>&1
    wineserver -k 2>/dev/null
    rm -rf "$out"
}
trap cleanup EXIT
. "$here/tests/tools/mirelrep_run.sh"
journal() { python3 -c 'import sqlite3, sys; print(sqlite3.connect(sys.argv[1]).execute("PRAGMA journal_mode").fetchone()[0])' "$1"; }
# Flips every bit of the page-type byte of the first page of the checks' table.
flip() { python3 "$here/tests/tools/flip_store_page.py" "$1"; }

# A check to import into the stores: one class of the local computer, saved as JSON.
rep /q /class:Win32_BIOS /format:json "/out:Z:$out/bios.json"; expect 0 "a class check"

# A store on a network drive: the rollback journal; the same on a local drive: the log.
mkdir "$out/net"
ln -s "$out/net" "$WINEPREFIX/dosdevices/n:"
"$wine" reg add 'HKLM\Software\Wine\Drives' /v n: /d network /f >/dev/null 2>&1 || fail "reg add"
wineserver -k 2>/dev/null; wineserver -w
rep /q '/store:N:\inventory.db' "/import:Z:$out/bios.json"; expect 0 "/import into a store on a network drive"
[ "$(journal "$out/net/inventory.db")" = delete ] || fail "the network drive's store is in $(journal "$out/net/inventory.db") mode"
rep '/store:N:\inventory.db' /history; expect 0 "/history of the network drive's store"
rep /q "/store:Z:$out/local.db" "/import:Z:$out/bios.json"; expect 0 "/import into a local store"
[ "$(journal "$out/local.db")" = wal ] || fail "the local store is in $(journal "$out/local.db") mode"

# A store in a read-only folder: read as it is; recording says why it cannot be.
mkdir "$out/rw" "$out/ro"
rep /q "/store:Z:$out/rw/inventory.db" "/import:Z:$out/bios.json"; expect 0 "/import into the store to be read only"
if mount --bind "$out/rw" "$out/ro" 2>/dev/null && mount -o remount,bind,ro "$out/ro" 2>/dev/null; then
    rep "/store:Z:$out/ro/inventory.db" /history; expect 0 "/history of a store in a read-only folder"
    grep -q Win32_BIOS "$out/stdout" || fail "/history: $(cat "$out/stdout")"
    rep "/store:Z:$out/ro/inventory.db" "/query:SELECT count(*) FROM checks"; expect 0 "/query of it"
    rep /q "/store:Z:$out/ro/inventory.db" "/import:Z:$out/bios.json"; expect 5 "recording into it"
    grep -q "can be read, but no check can be recorded" "$out/stderr" || fail "message: $(cat "$out/stderr")"
    umount "$out/ro"
else
    echo "(no bind mount here: the read-only folder was not tried)"
fi

# A store with a byte flipped where the integrity check finds it.
store="$out/damaged.db"
rep /q "/store:Z:$store" "/import:Z:$out/bios.json"; expect 0 "/import into the store to be damaged"
rep "/store:Z:$store" /verify; expect 0 "/verify of a sound store"
grep -q "is sound" "$out/stderr" || fail "message: $(cat "$out/stderr")"
flip "$store"
rep "/store:Z:$store" /verify; expect 5 "/verify of the damaged store"
grep -q "^store_checks: " "$out/stdout" || fail "/verify names no damage: $(cat "$out/stdout")"
grep -q "is damaged" "$out/stderr" || fail "message: $(cat "$out/stderr")"
[ -f "$store-damaged.txt" ] || fail "no mark beside the damaged store"
sum=$(md5sum < "$store")
rep /q "/store:Z:$store" "/import:Z:$out/bios.json"; expect 5 "/import into the damaged store"
grep -q "was found damaged" "$out/stderr" || fail "message: $(cat "$out/stderr")"
rep /q "/store:Z:$store" /class:Win32_BIOS "/out:Z:$out/bios.csv"; expect 5 "a check recorded into the damaged store"
[ "$(md5sum < "$store")" = "$sum" ] || fail "the damaged store changed"
flip "$store"   # a copy from before the damage put back
rep /q "/store:Z:$store" /verify; expect 0 "/verify of the store put back"
[ -f "$store-damaged.txt" ] && fail "the mark stayed after /verify found the store sound"
rep /q "/store:Z:$store" /class:Win32_BIOS "/out:Z:$out/bios.csv"; expect 0 "a check recorded into the store put back"
echo "store places: all passed"
