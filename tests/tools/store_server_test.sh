#!/bin/sh
# mirelrep with the inventory store on the tests' PostgreSQL server, under Wine, checking the
# real local computer:
#   1. a check recorded into the server comes back as it was written; the same checks in
#      the server and in a file give the same /history, /compare, /show (text and JSON),
#      /query and ready-made questions; copied with /copyto into the server and from there
#      into a file they answer /history and /compare the same, and a second copy copies
#      nothing; statements that would write are refused, also those a naive reading of SQL
#      takes for one statement, and statement errors exit 2; a role that may only read the
#      views answers every question;
#   2. four processes recording at once all succeed and lose nothing;
#   3. the connection ended during a run (pg_terminate_backend) is made anew: every check
#      is recorded;
#   4. wrong credentials, a server that never answers, a closed port and a database of
#      another program are refused with the file-error exit code, the cause named (the
#      server's own words), no password shown, nothing written.
# Usage: store_server_test.sh <build folder> <server state folder>
build=$(cd "$1" && pwd)
state=$2
here=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d /tmp/mirel-store-server.XXXXXX)
silent=""
trap '[ -n "$silent" ] && kill $silent 2>/dev/null; [ -n "$KEEP" ] || rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

server=$(sed -n 1p "$state/server.txt")
port=$(sed -n 2p "$state/server.txt")
foreign=$(sed -n 3p "$state/server.txt")
password=${server##*Pwd=}
data=$(cat "$state/data-folder")
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
sql() { su postgres -s /bin/sh -c "PGOPTIONS='-c client_min_messages=warning' '$bin/psql' -qAt -h '$data' -p $port -d ${2:-mirel} -c \"$1\""; }
mirelrep() { "$here/tools/wine-run.sh" "$build/mirelrep.exe" "$@" 2>>"$out/errors.txt"; }
with() { echo "$server" | sed "s/;$1=[^;]*/;$1=$2/"; }
# Every ready-made question asked of the store <location>, the answers and exit codes into <file>.
ask_questions() {
    for question in "missing-hotfix /param:KB5034441" "program /param:wine /param:below=99" "low-disk /param:99" \
                    "not-checked /param:1" windows-versions "recent-changes /param:1" stopped-auto-services; do
        echo "/question:$question" >>"$2"
        mirelrep "/store:$1" /question:$question >>"$2"
        echo "exit $?" >>"$2"
    done
}

sql "DROP SCHEMA public CASCADE; CREATE SCHEMA public AUTHORIZATION mirel" || fail "the database cannot be emptied"

# 1. A check of this computer recorded live into each store comes back as it was written;
# then each store is emptied and gets the same two checks (imported, as a live recording
# keeps what JSON cannot, such as the VARIANT type of an empty value).
file="Z:$out/inventory.db"
mirelrep "" /q "/store:$server" /format:json "/out:Z:$out/first.json" || fail "recording into the server"
mirelrep "" /q "/store:$file" /format:json "/out:Z:$out/second.json" || fail "recording into the file"
mirelrep "/store:$server" /show:1 /format:json >"$out/server.live.json"
mirelrep "/store:$file" /show:1 /format:json >"$out/file.live.json"
cmp -s "$out/first.json" "$out/server.live.json" || fail "the server's /show:1 /format:json is not the check as it was written"
cmp -s "$out/second.json" "$out/file.live.json" || fail "the file's /show:1 /format:json is not the check as it was written"
sql "DROP SCHEMA public CASCADE; CREATE SCHEMA public AUTHORIZATION mirel"
rm -f "$out/inventory.db"*
for location in "$server" "$file"; do
    for check in first second; do
        mirelrep /q "/store:$location" "/import:Z:$out/$check.json" >/dev/null || fail "importing $check.json"
    done
done
for store in server file; do
    [ $store = server ] && location=$server || location=$file
    mirelrep "/store:$location" /history >"$out/$store.history.csv"
    mirelrep "/store:$location" /history /format:json >"$out/$store.history.json"
    mirelrep "/store:$location" /compare /volatile >"$out/$store.compare.txt"
    echo "exit $?" >>"$out/$store.compare.txt"
    mirelrep "/store:$location" /compare:1,2 /format:csv >"$out/$store.compare.csv"
    mirelrep "/store:$location" /show:1 >"$out/$store.show1.txt"
    mirelrep "/store:$location" /show:2 /format:json >"$out/$store.show2.json"
    mirelrep "/store:$location" "/query:SELECT name, start_mode, state FROM services ORDER BY name" >"$out/$store.services.csv"
    mirelrep "/store:$location" "/query:SELECT * FROM object_values ORDER BY check_id, class_name, object_key, property" \
        /format:json >"$out/$store.values.json"
    ask_questions "$location" "$out/$store.questions.csv"
done
for answer in history.csv history.json compare.txt compare.csv show1.txt show2.json services.csv values.json questions.csv; do
    [ -s "$out/server.$answer" ] || fail "no answer from the server: $answer"
    cmp -s "$out/server.$answer" "$out/file.$answer" || { diff "$out/server.$answer" "$out/file.$answer" | head -20; fail "the server and the file answer $answer differently"; }
done
[ "$(grep -c '"standard"' "$out/server.history.csv")" = 2 ] || fail "the history does not list two checks"
# The file's checks copied into the emptied server and from there into a new file give the
# same /history and /compare answers; a second copy copies nothing.
sql "DROP SCHEMA public CASCADE; CREATE SCHEMA public AUTHORIZATION mirel"
copyto() { "$here/tools/wine-run.sh" "$build/mirelrep.exe" "/store:$1" "/copyto:$2" 2>"$out/copied.txt"; }
copyto "$file" "$server" || fail "/copyto from the file into the server: $(cat "$out/copied.txt")"
grep -q "Checks copied from .*: 2;" "$out/copied.txt" || fail "the copy into the server: $(cat "$out/copied.txt")"
! grep -q "Pwd=\|PWD=" "$out/copied.txt" || fail "the copy's message shows the password"
copyto "$server" "Z:$out/back.db" || fail "/copyto from the server into a file: $(cat "$out/copied.txt")"
copyto "$file" "$server" || fail "/copyto once more: $(cat "$out/copied.txt")"
grep -q "Checks copied from .*: 0; already there: 2" "$out/copied.txt" || fail "a second copy: $(cat "$out/copied.txt")"
for location in "$server" "Z:$out/back.db"; do
    mirelrep "/store:$location" /history >"$out/copy.history.csv"
    mirelrep "/store:$location" /compare /volatile >"$out/copy.compare.txt"
    echo "exit $?" >>"$out/copy.compare.txt"
    for answer in history.csv compare.txt; do
        cmp -s "$out/file.$answer" "$out/copy.$answer" || { diff "$out/file.$answer" "$out/copy.$answer" | head; fail "$location answers $answer otherwise than the file it was copied from"; }
    done
done
[ "$(wc -l <"$out/server.services.csv")" -gt 10 ] || fail "/query lists no services"
! grep -q "exit [^0]" "$out/server.questions.csv" || fail "a question failed: $(cat "$out/server.questions.csv")"
# Statements that would do more than read: refused with the usage code, the server's store unchanged.
before=$(sql "SELECT count(*) FROM store_checks")
for statement in "DELETE FROM store_checks" "DROP VIEW services" "SELECT 1; DELETE FROM store_checks" \
                 "WITH gone AS (DELETE FROM store_checks RETURNING id) SELECT count(*) FROM gone" \
                 "SELECT id FROM store_checks FOR UPDATE" "SELECT nextval('store_checks_id_seq')" \
                 "SELECT E'\\''; COMMIT; DELETE FROM store_checks; SELECT 'x'" \
                 "select e'\\''; commit; delete from store_checks; select 'x'" \
                 "SELECT \$a\$ ' \$a\$; COMMIT; DELETE FROM store_checks; SELECT ' '" \
                 "SELECT 1 /* /* */ ' */; COMMIT; DELETE FROM store_checks; SELECT ' '" \
                 "SELECT 1/0" "SELECT no_such FROM checks"; do
    mirelrep "/store:$server" "/query:$statement" >/dev/null
    code=$?
    [ "$code" = 2 ] || fail "/query:$statement ended with $code, not 2"
done
[ "$(sql "SELECT count(*) FROM store_checks")" = "$before" ] || fail "a refused statement changed the server's store"
# A role that may read only the views (and the store's version) answers every question as
# the store's owner does, and nothing else; the README shows these statements.
sql "DROP ROLE IF EXISTS asker" postgres
sql "CREATE ROLE asker LOGIN PASSWORD 'Asker-Secret-1'" postgres
sql "GRANT USAGE ON SCHEMA public TO asker; GRANT SELECT ON store_info, checks, computers, latest_checks, latest_objects, check_objects, os, hardware, disks, products, hotfixes, services, accounts, network, object_values, changes TO asker"
asker=$(echo "$server" | sed "s/;Uid=[^;]*/;Uid=asker/; s/;Pwd=.*/;Pwd=Asker-Secret-1/")
ask_questions "$asker" "$out/asker.questions.csv"
cmp -s "$out/asker.questions.csv" "$out/server.questions.csv" || { diff "$out/asker.questions.csv" "$out/server.questions.csv" | head; fail "a role that reads the views answers the questions otherwise"; }
mirelrep "/store:$asker" "/query:SELECT count(*) FROM store_checks" >/dev/null
code=$?
[ "$code" = 2 ] || fail "the reading role read a table: exit $code, not 2"

# 2. Four processes, three computers each (the last never found), all at once.
sql "DROP SCHEMA public CASCADE; CREATE SCHEMA public AUTHORIZATION mirel"
runs=""
for run in 1 2 3 4; do
    mirelrep "" localhost "nothere$run.invalid" /q /class:Win32_OperatingSystem "/store:$server" "/outdir:Z:$out/run$run" &
    runs="$runs $!"
done
for run in $runs; do
    wait "$run"
    code=$?
    [ "$code" = 7 ] || fail "a run of four at once ended with $code, not 7 (one computer not found)"
done
checks=$(sql "SELECT count(*) FROM store_checks")
[ "$checks" = 12 ] || fail "four runs at once recorded $checks checks, not 12"
# Each check of this computer but the first knows its changes against the one before.
firsts=$(sql "SELECT count(*) FROM store_checks WHERE changes IS NULL")
[ "$firsts" = 5 ] || fail "$firsts checks without changes, not 5 (four never read, one first)"
for run in 1 2 3 4; do
    grep -q "nothere$run.invalid" "$out/run$run/summary.csv" || fail "run $run wrote no summary"
    ! grep -q "not recorded" "$out/run$run/summary.csv" || fail "run $run lost a check"
done

# 3. The connection ends under the run's feet after its first check.
sql "DROP SCHEMA public CASCADE; CREATE SCHEMA public AUTHORIZATION mirel"
mirelrep "" localhost 127.0.0.1 /q /parallel:1 "/store:$server" "/outdir:Z:$out/broken" &
run=$!
terminated=0
for wait in $(seq 1 600); do
    if [ "$(sql "SELECT count(*) FROM store_checks" 2>/dev/null)" -ge 1 ] 2>/dev/null; then
        terminated=$(sql "SELECT count(*) FROM (SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE usename = 'mirel') AS ended")
        break
    fi
    sleep 0.1
done
wait $run
code=$?
[ "$terminated" -ge 1 ] || fail "no connection was ended during the run"
[ "$code" = 7 ] || fail "the run with a broken connection ended with $code, not 7 (no remote WMI)"
checks=$(sql "SELECT count(*) FROM store_checks")
[ "$checks" = 3 ] || fail "the run with a broken connection recorded $checks checks, not 3"
! grep -q "not recorded" "$out/broken/summary.csv" || fail "the run with a broken connection lost a check"

# 4. Refusals: exit code 5, the cause named, no password, nothing written.
refused() {   # <what> <expected words> <store>...
    what=$1 words=$2
    shift 2
    start=$(date +%s)
    "$here/tools/wine-run.sh" "$build/mirelrep.exe" "" /q "$@" "/out:Z:$out/refused.txt" 2>"$out/refusal.txt"
    code=$?
    seconds=$(($(date +%s) - start))
    [ "$code" = 5 ] || fail "$what: exit code $code, not 5"
    grep -q "$words" "$out/refusal.txt" || { cat "$out/refusal.txt"; fail "$what: the message does not say \"$words\""; }
    ! grep -q -e "$password" -e "Wrong-Secret" "$out/refusal.txt" || fail "$what: the message shows the password"
    [ ! -e "$out/refused.txt" ] || fail "$what: the check ran and wrote its file"
    [ "$seconds" -le 8 ] || fail "$what: took $seconds s"
}
refused "wrong credentials" "password authentication failed" "/store:$(with Pwd Wrong-Secret)"
python3 -c '
import socket, sys, time
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(8)
print(s.getsockname()[1], flush=True)
time.sleep(120)' >"$out/silent-port" &
silent=$!
sleep 1
refused "a server that never answers" "did not answer" "/store:$(with Port "$(cat "$out/silent-port")")" /timeout:2
kill $silent
refused "a closed port" "did not answer" "/store:$(with Port "$(cat "$out/silent-port")")" /timeout:2
refused "a database of another program" "another program" "/store:$(with Database "$foreign")"
[ "$(sql "SELECT string_agg(table_name, ',') FROM information_schema.tables WHERE table_schema = 'public'" "$foreign")" = invoices ] ||
    fail "the other program's database was changed"
echo "store server: same answers as the file, 12 checks of 4 runs at once, 3 checks across a broken connection, 4 refusals"
