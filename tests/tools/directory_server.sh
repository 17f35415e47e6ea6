#!/bin/sh
# A directory server of a test's own: slapd on a free loopback port with Active
# Directory's schema (OpenLDAP's msuser.schema, with the matching rules a domain
# controller has for the attributes Mirel filters on), a size limit of 1,000 entries as
# Active Directory's page limit, and computer accounts from an LDIF file.
# Usage: directory_server.sh start <state folder> <ldif file> | stop <state folder>
# start writes the port into <state folder>/port; the suffix is dc=mirel,dc=test, the
# administrator cn=admin,dc=mirel,dc=test with the password "secret".
set -e
state=$2
case "$1" in
stop)
    [ -f "$state/slapd.pid" ] && kill "$(cat "$state/slapd.pid")" 2>/dev/null || true
    for i in 1 2 3 4 5 6 7 8 9 10; do [ -f "$state/slapd.pid" ] || break; sleep 0.2; done
    exit 0 ;;
start) ;;
*) echo "usage: $0 start|stop <state folder> [ldif]"; exit 2 ;;
esac
ldif=$3
mkdir -p "$state/data"
python3 - /etc/ldap/schema/msuser.schema "$state/msuser.schema" <<'PY'
import re, sys
text = open(sys.argv[1]).read()
rules = {
    "operatingSystem": "EQUALITY caseIgnoreMatch SUBSTR caseIgnoreSubstringsMatch",
    "operatingSystemVersion": "EQUALITY caseIgnoreMatch SUBSTR caseIgnoreSubstringsMatch",
    "dNSHostName": "EQUALITY caseIgnoreMatch SUBSTR caseIgnoreSubstringsMatch",
    "lastLogonTimestamp": "EQUALITY integerMatch ORDERING integerOrderingMatch",
    "pwdLastSet": "EQUALITY integerMatch ORDERING integerOrderingMatch",
    "userAccountControl": "EQUALITY integerMatch ORDERING integerOrderingMatch",
}
for name, rule in rules.items():
    text, count = re.subn(r"NAME '%s'(\s)" % name, r"NAME '%s' %s\1" % (name, rule), text)
    assert count == 1, name
open(sys.argv[2], "w").write(text)
PY
cat > "$state/slapd.conf" <<CONF
include /etc/ldap/schema/core.schema
include /etc/ldap/schema/cosine.schema
include /etc/ldap/schema/inetorgperson.schema
include /etc/ldap/schema/nis.schema
include $state/msuser.schema
pidfile $state/slapd.pid
argsfile $state/slapd.args
modulepath /usr/lib/ldap
moduleload back_mdb
sizelimit size.soft=1000 size.hard=1000 size.prtotal=unlimited
database mdb
suffix "dc=mirel,dc=test"
rootdn "cn=admin,dc=mirel,dc=test"
rootpw secret
directory $state/data
maxsize 268435456
CONF
slaptest -f "$state/slapd.conf" -u >/dev/null 2>&1
[ -n "$ldif" ] && slapadd -q -f "$state/slapd.conf" -l "$ldif"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
slapd -f "$state/slapd.conf" -h "ldap://127.0.0.1:$port/"
for i in $(seq 1 50); do
    ldapsearch -x -H "ldap://127.0.0.1:$port/" -b "" -s base >/dev/null 2>&1 && break
    sleep 0.1
done
echo "$port" > "$state/port"
