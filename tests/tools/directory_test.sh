#!/bin/sh
# Computers from a directory: mirelrep under Wine (wldap32) against a slapd of the test's
# own on a loopback port, with Active Directory's schema and its 1,000-entry size limit,
# holding 2,500 computer accounts in two OUs (some disabled, some not signed in for 400
# days, some servers), accounts with names no computer can have, and a lab OU with this
# computer and two that do not exist, and accounts directly under the domain and in a
# nested OU whose names end in every kind of character. /names lists exactly the enabled
# accounts one paged search finds (every page read, although mirelrep reads in two halves
# on two connections), /active: and /os: filter, a simple bind with a DN and password
# works and a wrong one is refused, a server that never answers is bounded by /timeout:
# and stopped by Ctrl+C, and a run with /store checks what it found.
# Usage: directory_test.sh <build folder>
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d /tmp/mirel-directory.XXXXXX)
silent_pid=
cleanup() {
    sh "$here/tests/tools/directory_server.sh" stop "$out/server"
    [ -n "$silent_pid" ] && kill "$silent_pid" 2>/dev/null
    rm -rf "$out"
}
trap cleanup EXIT
trap 'exit 1' INT TERM
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
now() { date +%s%N; }

own=$("$here/tools/wine-run.sh" cmd /c echo %COMPUTERNAME% 2>/dev/null | tr -d '\r\n')
[ -n "$own" ] || { echo "no computer name from Wine"; exit 1; }
python3 "$here/tests/tools/directory_ldif.py" 1500 1000 "$own" >"$out/accounts.ldif"
# Accounts whose cn ends in an upper- or lower-case letter of either half, a digit, a
# non-ASCII letter, a Japanese character or punctuation, directly under the domain and two
# OUs deep, and a disabled one there.
python3 - >>"$out/accounts.ldif" <<'PY'
import base64
def ou(dn, name):
    print("dn: %s\nobjectClass: organizationalUnit\nou: %s\n" % (dn, name))
def account(cn, parent, number, uac=4096):
    dn = "cn=%s,%s" % (cn, parent)
    print("dn:: " + base64.b64encode(dn.encode()).decode())
    for name, value in (("objectClass", "computer"), ("cn", cn), ("sn", cn), ("instanceType", "4"),
                        ("objectCategory", "cn=Computer,cn=Schema,cn=Configuration,dc=mirel,dc=test"),
                        ("userAccountControl", str(uac)), ("operatingSystem", "Windows 11 Enterprise"),
                        ("dNSHostName", "edge%02d.mirel.invalid" % number)):
        print("%s:: %s" % (name, base64.b64encode(value.encode()).decode()))
    print("nTSecurityDescriptor:: AQAEgA==\n")
ou("ou=Branch,dc=mirel,dc=test", "Branch")
ou("ou=Floor1,ou=Branch,dc=mirel,dc=test", "Floor1")
for number, cn in enumerate(["HQ-A", "HQ-b", "HQ-\u00dc", "HQ-9"], 1):
    account(cn, "dc=mirel,dc=test", number)
for number, cn in enumerate(["BR-z", "BR-Y", "BR-_", "BR-\u65e5\u672c", "BR-0", "BR-m1x", "BR-"], 5):
    account(cn, "ou=Floor1,ou=Branch,dc=mirel,dc=test", number)
account("BR-off", "ou=Floor1,ou=Branch,dc=mirel,dc=test", 12, uac=4098)
PY
sh "$here/tests/tools/directory_server.sh" start "$out/server" "$out/accounts.ldif" || { echo "slapd did not start"; exit 1; }
port=$(cat "$out/server/port")
url="LDAP://127.0.0.1:$port"
admin="cn=admin,dc=mirel,dc=test"
cd "$out"

run() {   # <password> <arguments...>: sets $code; stdout in names.csv, stderr in stderr
    password=$1; shift
    printf '%s\n' "$password" | "$here/tools/wine-run.sh" "$build/mirelrep.exe" "$@" >"$out/names.csv" 2>"$out/stderr"
    code=$?
}
expect() {   # <what> <exit code> <python check of names.csv, or ->
    if [ "$code" != "$2" ]; then
        fail "$1: exit code $code, not $2 ($(head -c 600 "$out/stderr"))"
        return
    fi
    if [ "$3" != - ] && ! python3 - "$out/names.csv" "$3" <<'PY'
import csv, sys
with open(sys.argv[1], newline="", encoding="utf-8-sig") as f:
    rows = list(csv.reader(f))
header, rows = rows[0], rows[1:]
assert header == ["Computer", "DNS name", "Operating system", "Version", "Last logon", "Distinguished name"], header
names = [row[0] for row in rows]
dns = {row[0]: row[1] for row in rows}
dn = {row[0]: row[5] for row in rows}
assert len(set(names)) == len(names), "a computer twice"
exec(sys.argv[2])
PY
    then
        fail "$1: the list is not as expected"
        return
    fi
    echo "ok: $1"
}

enabled() {   # <prefix> <count>: the enabled account numbers of an OU
    python3 -c "import sys; print([i for i in range(1, $2 + 1) if i % 10])"
}

# Every page of the domain: 2,250 enabled in the two OUs, 1 fine account of the odd OU,
# 3 in the lab; the odd names are left out, each said, and the exit code says so.
run secret "/directory:$url/dc=mirel,dc=test" "/user:$admin" /password:* /names /utf8
expect "the whole domain, page by page" 7 "
ws = [n for n in names if n.upper().startswith('WS')]
srv = [n for n in names if n.upper().startswith('SRV')]
assert len(ws) == 1350 and len(srv) == 900, (len(ws), len(srv))
assert 'ws00001.mirel.invalid' in names and 'WS00013' in names and 'ws00010.mirel.invalid' not in names
assert dns['WS00013'] == '' and dn['WS00013'] == 'cn=WS00013,ou=Workstations,dc=mirel,dc=test'
assert 'fine.mirel.invalid' in names and len(names) == 2250 + 1 + 3 + 11, len(names)
assert not any('/' in n or '\\\\' in n or len(n) > 253 for n in names)
assert [n.lower() for n in names] == sorted(n.lower() for n in names), 'not in the order of the names'
"
# The same accounts as one paged search of OpenLDAP's own client, but the three refused.
ldapsearch -x -H "$url" -D "$admin" -w secret -b dc=mirel,dc=test -LLL -o ldif-wrap=no -E pr=1000/noprompt \
    "(&(objectClass=computer)(!(userAccountControl:1.2.840.113556.1.4.803:=2)))" 1.1 >"$out/single.ldif" 2>&1 ||
    fail "ldapsearch: $(head -5 "$out/single.ldif")"
python3 - "$out/names.csv" "$out/single.ldif" <<'PY' || fail "the halves are not exactly one search's accounts"
import base64, csv, sys
with open(sys.argv[1], newline="", encoding="utf-8-sig") as f:
    read = [row[5] for row in list(csv.reader(f))[1:]]
single = set()
for line in open(sys.argv[2], encoding="utf-8"):
    if line.startswith("dn:: "):
        single.add(base64.b64decode(line[5:]).decode())
    elif line.startswith("dn: "):
        single.add(line[4:].rstrip("\n"))
single -= {"cn=%s,ou=Odd,dc=mirel,dc=test" % cn for cn in ("ctl", "slash", "long")}
assert len(read) == len(set(read)), "an account twice"
assert set(read) == single, (sorted(set(read) - single)[:5], sorted(single - set(read))[:5])
assert "cn=HQ-\u00dc,dc=mirel,dc=test" in single and "cn=BR-\u65e5\u672c,ou=Floor1,ou=Branch,dc=mirel,dc=test" in single
print("ok: the halves are exactly one search's %d accounts" % len(single))
PY
grep -q "is left out" stderr && [ "$(grep -c 'is left out' stderr)" = 3 ] || fail "the odd accounts are not told ($(cat stderr))"
grep -q "does not offer TLS" stderr || fail "no word about TLS ($(cat stderr))"

# One OU, its servers, and those active within 30 days; the directory's facts in the list.
run secret "/directory:$url/OU=Servers,dc=mirel,dc=test" "/user:$admin" /password:* /names "/os:*server*" /active:30
expect "the servers active in 30 days" 0 "
numbers = sorted(int(n.upper().split('.')[0][3:]) for n in names)
assert numbers == [i for i in range(1, 1001) if i % 10 and i % 7], numbers[:20]
row = rows[0]
assert row[2] == 'Windows Server 2022 Standard' and row[3] == '10.0 (22631)' and len(row[4]) == 25, row
"
run secret "/directory:$url/OU=Workstations,dc=mirel,dc=test" "/user:$admin" /password:* /names /os:*Server*
expect "no workstation runs a server system" 1 -
grep -q "holds no enabled computer account" stderr || fail "no computers: no message ($(cat stderr))"

# The base's naming context from the server's root entry; the bind as user@domain.
run secret "/directory:$url" "/user:$admin" /password:* /names /q /os:*Server* /active:3
expect "the server's own naming context" 0 "assert len(names) == len([i for i in range(1, 1001) if i % 10 and i % 7 and i % 20 < 3]), len(names)"

# Refusals: a wrong password, no server, a malformed address.
run wrong "/directory:$url/dc=mirel,dc=test" "/user:$admin" /password:* /names
expect "a wrong password" 4 -
grep -q "refused the sign-in" stderr || fail "wrong password: $(cat stderr)"
grep -q wrong stderr names.csv && fail "the password was written"
free=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
run secret "/directory:LDAP://127.0.0.1:$free/dc=mirel,dc=test" "/user:$admin" /password:* /names
expect "no server on the port" 3 -
grep -q "cannot be reached" stderr || fail "no server: $(cat stderr)"
start=$(now)
run secret "/directory:LDAP://127.0.0.1:99999/dc=x" /names
baseline=$(( ($(now) - start) / 1000000 ))   # a start and a usage error: what a run costs here
expect "a port out of range" 2 -
run secret /directory /names
expect "this computer's domain (none under Wine)" 3 -
grep -q "domain controller cannot be found" stderr || fail "no domain: $(cat stderr)"
run secret /active:3 /names
expect "/active: without /directory" 2 -

# A server that takes the connection and never answers: /timeout: ends it, Ctrl+C too.
python3 -c '
import socket, sys, time
s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(16)
print(s.getsockname()[1], flush=True)
held = []
while True:
    c, _ = s.accept(); held.append(c)
' >"$out/silent.port" &
silent_pid=$!
for _ in $(seq 1 100); do [ -s "$out/silent.port" ] && break; sleep 0.1; done
silent=$(cat "$out/silent.port")
start=$(now)
run secret "/directory:LDAP://127.0.0.1:$silent/dc=x" "/user:$admin" /password:* /names /timeout:2
took=$(( ($(now) - start) / 1000000 ))
expect "a server that never answers, /timeout:2" 3 -
[ "$took" -lt $((baseline + 4000)) ] || fail "the silent server took $took ms (a start: $baseline ms)"
grep -q "did not answer within 2 s" stderr || fail "silent server: $(cat stderr)"
printf 'secret\n' >"$out/password"
"$here/tools/wine-run.sh" "$build/mirelrep.exe" "/directory:LDAP://127.0.0.1:$silent/dc=x" "/user:$admin" /password:* \
    /names /timeout:60 <"$out/password" >/dev/null 2>"$out/stderr" &
pid=$!
sleep 3
start=$(now)
kill -INT "$pid"
wait "$pid"
code=$?
took=$(( ($(now) - start) / 1000000 ))
expect "Ctrl+C during the directory read" 6 -
[ "$took" -lt 3000 ] || fail "Ctrl+C took $took ms"

# A run over what the lab OU holds, recorded: this computer checked, the others not found.
run secret "/directory:$url/OU=Lab,dc=mirel,dc=test" "/user:$admin" /password:* /outdir:lab "/store:Z:$out/lab.db" /q
expect "a recorded run over the lab" 7 -
python3 - "$out/lab/summary.csv" "$own" <<'PY' || fail "the lab's summary"
import csv, sys
rows = list(csv.reader(open(sys.argv[1], newline="", encoding="cp1252")))[1:]
results = {row[0].lower(): row[1] for row in rows}
assert results == {sys.argv[2].lower(): "OK", "gone1.mirel.invalid": "Host not found",
                   "gone2.mirel.invalid": "Host not found"}, results
PY

# The window's "From the directory..." against the same server.
if [ -f "$build/test_shell.exe" ]; then
    MIREL_TEST_DIRECTORY="$url" "$here/tools/wine-run.sh" "$build/test_shell.exe" \
        --gtest_filter='FindComputersTest.*' >"$out/window.log" 2>&1 || fail "the window's tests: $(tail -30 "$out/window.log")"
    grep -q "SKIPPED" "$out/window.log" && fail "the window's directory test was skipped"
    echo "ok: the window's From the directory..."
fi

[ "$failures" = 0 ] || { echo "$failures failure(s)"; exit 1; }
echo "directory: every case passed"
