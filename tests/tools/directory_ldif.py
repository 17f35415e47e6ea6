#!/usr/bin/env python3
"""Computer accounts for a test's directory, as LDIF, under dc=mirel,dc=test.

directory_ldif.py <workstations> <servers> [own computer name]
OU=Workstations and OU=Servers hold the accounts: every 10th disabled, every 7th
signed in last 400 days ago, every 11th with pwdLastSet and no lastLogonTimestamp,
every 13th without dNSHostName (its cn is the name then). OU=Odd holds accounts whose
names no computer can have (a control character, a path separator, 300 characters) and
one enabled account beside them. OU=Lab holds this computer (when named) and two
computers that do not exist. Every DNS name is under .invalid.
"""
import base64, sys, time

workstations, servers = int(sys.argv[1]), int(sys.argv[2])
own = sys.argv[3] if len(sys.argv) > 3 else ""
now = int((time.time() + 11644473600) * 10**7)
day = 864000000000
out = sys.stdout

def entry(dn, attrs):
    out.write("dn: %s\n" % dn)
    for name, value in attrs:
        if any(ord(c) < 32 for c in value) or value != value.strip():
            out.write("%s:: %s\n" % (name, base64.b64encode(value.encode()).decode()))
        else:
            out.write("%s: %s\n" % (name, value))
    out.write("\n")

entry("dc=mirel,dc=test", [("objectClass", "dcObject"), ("objectClass", "organization"),
                            ("dc", "mirel"), ("o", "Mirel test")])
for ou in ("Workstations", "Servers", "Odd", "Lab"):
    entry("ou=%s,dc=mirel,dc=test" % ou, [("objectClass", "organizationalUnit"), ("ou", ou)])

def computer(ou, cn, dns, os, uac=4096, logon=None, pwd=None):
    attrs = [("objectClass", "computer"), ("cn", cn), ("sn", cn), ("instanceType", "4"),
             ("objectCategory", "cn=Computer,cn=Schema,cn=Configuration,dc=mirel,dc=test"),
             ("userAccountControl", str(uac)), ("operatingSystem", os), ("operatingSystemVersion", "10.0 (22631)")]
    out.write("")
    if dns:
        attrs.append(("dNSHostName", dns))
    if logon is not None:
        attrs.append(("lastLogonTimestamp", str(logon)))
    if pwd is not None:
        attrs.append(("pwdLastSet", str(pwd)))
    attrs.append(("nTSecurityDescriptor", "\x01\x00\x04\x80"))
    entry("cn=%s,ou=%s,dc=mirel,dc=test" % (cn, ou), attrs)

for ou, prefix, count, os in (("Workstations", "WS", workstations, "Windows 11 Enterprise"),
                              ("Servers", "SRV", servers, "Windows Server 2022 Standard")):
    for i in range(1, count + 1):
        cn = "%s%05d" % (prefix, i)
        age = 400 if i % 7 == 0 else i % 20
        logon, pwd = now - age * day, None
        if i % 11 == 0:
            logon, pwd = None, now - age * day
        computer(ou, cn, None if i % 13 == 0 else cn.lower() + ".mirel.invalid", os,
                 uac=4098 if i % 10 == 0 else 4096, logon=logon, pwd=pwd)

computer("Odd", "ctl", "bad\x07name.mirel.invalid", "Windows 11 Enterprise", logon=now)
computer("Odd", "slash", "a/b.mirel.invalid", "Windows 11 Enterprise", logon=now)
computer("Odd", "long", "x" * 300, "Windows 11 Enterprise", logon=now)
computer("Odd", "fine", "fine.mirel.invalid", "Windows 11 Enterprise", logon=now)
if own:
    computer("Lab", own, own, "Windows 11 Enterprise", logon=now)
computer("Lab", "gone1", "gone1.mirel.invalid", "Windows 10 Pro", logon=now)
computer("Lab", "gone2", "gone2.mirel.invalid", "Windows 10 Pro", logon=now - 30 * day)
