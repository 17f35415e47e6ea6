#!/bin/sh
# The sources of computers, measured under Wine:
# - a directory of 5,000 computer accounts (a slapd of the bench's own on a loopback port,
#   Active Directory's schema, size limit 1,000) read with mirelrep /names: target 3 s;
# - a sweep of 1,024 addresses of which none answers (a network namespace of its own with
#   a veth pair: the pings go nowhere), /timeout:1: target 1.5 x 1,024 / 128 (addresses
#   pinged at a time) = 12 s; and its peak memory against a sweep of 2,048, which should be
#   the same (needs root; skipped without).
# Usage: bench/discovery_bench.sh <build folder>
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$build/wine-test}" WINEDEBUG=-all LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8
out=$(mktemp -d /tmp/mirel-discovery-bench.XXXXXX)
trap 'sh "$here/tests/tools/directory_server.sh" stop "$out/server"; rm -rf "$out"' EXIT
now() { date +%s%N; }
"$here/tools/wine-run.sh" cmd /c exit   # Wine's services up before the first timing

python3 "$here/tests/tools/directory_ldif.py" 2778 2778 >"$out/accounts.ldif"   # 5,000 enabled of 5,556
sh "$here/tests/tools/directory_server.sh" start "$out/server" "$out/accounts.ldif"
url="LDAP://127.0.0.1:$(cat "$out/server/port")/dc=mirel,dc=test"
# A program's start, for reference: the time of mirelrep /? (the machine's load moves it).
start=$(now)
"$here/tools/wine-run.sh" "$build/mirelrep.exe" /? >/dev/null 2>&1
echo "mirelrep's start (/?): $(( ($(now) - start) / 1000000 )) ms"
for run in 1 2 3; do
    start=$(now)
    printf 'secret\n' | "$here/tools/wine-run.sh" "$build/mirelrep.exe" "/directory:$url" \
        "/user:cn=admin,dc=mirel,dc=test" /password:* /names /q >"$out/names.csv" 2>/dev/null
    ms=$(( ($(now) - start) / 1000000 ))
    echo "directory of $(($(wc -l <"$out/names.csv") - 1)) computers read with /names: $ms ms (target 3000)"
done

if [ "$(id -u)" != 0 ]; then
    echo "the sweep needs root (a network namespace): skipped"
    exit 0
fi
sweep() {   # <range> <what>
    # A copy of the prefix whose server starts inside the namespace: Wine sends the echoes
    # from a process of its server, which must not be outside.
    rm -rf "$out/prefix" && cp -a "$WINEPREFIX" "$out/prefix"
    WINEPREFIX="$out/prefix" unshare -n sh -c '
        [ "$(ip -o link show | wc -l)" = 1 ] || { echo "not in a network namespace of its own"; exit 1; }
        ip link set lo up; ip link add v0 type veth peer name v1
        ip addr add 10.96.0.1/20 dev v0; ip link set v0 up; ip link set v1 up
        # The copy'"'"'s server and services started inside the namespace before the timing, and a
        # start of the program measured as a reference.
        "$0" cmd /c exit >/dev/null 2>&1
        start=$(date +%s%N)
        "$0" "$1" /range:10.96.0.1/32 /noping /names /q >/dev/null 2>&1
        echo "mirelrep'"'"'s start in the namespace: $(( ($(date +%s%N) - start) / 1000000 )) ms"
        start=$(date +%s%N)
        "$0" "$1" "/range:$2" /names /timeout:1 /q >/dev/null 2>&1 &
        pid=$!
        peak=0
        while kill -0 $pid 2>/dev/null; do
            for p in $(pgrep -f "mirelrep.exe /range:$2"); do
                rss=$(awk "/VmHWM/ {print \$2}" /proc/$p/status 2>/dev/null)
                [ -n "$rss" ] && [ "$rss" -gt "$peak" ] && peak=$rss
            done
            sleep 0.2
        done
        echo "$3: $(( ($(date +%s%N) - start) / 1000000 )) ms, peak resident $((peak / 1024)) MB"
        wineserver -k
    ' "$here/tools/wine-run.sh" "$build/mirelrep.exe" "$1" "$2"
}
sweep 10.96.1.0-10.96.4.255 "1,024 silent addresses (target 12000 ms)"
sweep 10.96.1.0-10.96.8.255 "2,048 silent addresses (memory as for 1,024)"
