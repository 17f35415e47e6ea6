#!/bin/sh
# No code from the program's folder: DLLs named like system DLLs that are not the system's
# known ones are planted beside copies of mirel.exe and mirelrep.exe (markers that leave
# "<name>.dll.loaded" when loaded), Wine is told to prefer such DLLs to its own, as Windows
# always does, and the programs run: mirelrep a local check, a check of a named computer
# (ping of 127.0.0.1), a check as another account, a check recorded into an ODBC store and a
# directory read (LDAP through wldap32);
# the window program (headless) a local check and a check of a named computer, then quits.
# None may be loaded: iphlpapi.dll neither, which a ping through icmp.dll would load by
# its bare name, icmp.dll's exports being forwarded to it. A program that loads icmp.dll by its bare name does load the marker:
# the planting itself works. Also: the import tables name only the system's known DLLs.
# A DLL that Wine's own user32 imports (version.dll) is loaded from the folder into every
# program that uses user32, before the program's first line: it is planted apart, and only
# a load the smallest user32 program does not show as well would be the programs' own.
# Usage: planted_dlls_test.sh <build folder> "<dll names>"
build=$(cd "$1" && pwd)
names=$(echo "$2" | tr ";" " ")
here=$(cd "$(dirname "$0")/../.." && pwd)
folder=$(mktemp -d /tmp/mirel-planted.XXXXXX)
driver=$(mktemp -d /tmp/mirel-planted-driver.XXXXXX)
trap 'rm -rf "$folder" "$driver"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Known DLLs (comctl32 and comdlg32 are delay-loaded, after the search was restricted).
known="advapi32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll shell32.dll user32.dll ws2_32.dll"
wine_own="version"
for program in mirel.exe mirelrep.exe; do
    for dll in $(x86_64-w64-mingw32-objdump -p "$build/$program" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z'); do
        case " $known " in *" $dll "*) ;; *) fail "$program imports $dll" ;; esac
    done
done

cp "$build/mirelrep.exe" "$build/mirel.exe" "$build/planted/bare_loader.exe" "$build/planted/user32_only.exe" "$folder/"
# The window program is driven from a folder of its own: the driver uses user32 itself.
cp "$build/planted/window_check.exe" "$driver/"
window_check="$driver/window_check.exe"
overrides=""
for name in $names; do
    case " $wine_own " in *" $name "*) ;; *) cp "$build/planted/$name.dll" "$folder/" ;; esac
    overrides="$overrides${overrides:+,}$name"
done
export WINEDLLOVERRIDES="$overrides=n,b"
run() { "$here/tools/wine-run.sh" "$@"; }
planted() { ls "$folder" | sed -n 's/\.dll\.loaded$//p' | tr '\n' ' '; }

run "$folder/bare_loader.exe"
[ -f "$folder/icmp.dll.loaded" ] || { echo "the planted icmp.dll was not loaded by its bare name: Wine did not prefer it"; exit 1; }
rm -f "$folder"/*.loaded

check() {   # <what> <expected text in the output, or ""> <command...>
    what=$1; expect=$2; shift 2
    output=$("$@" 2>&1)
    [ -z "$(planted)" ] || fail "$what loaded the planted $(planted)"
    [ -z "$expect" ] || echo "$output" | grep -q "$expect" || fail "$what: no \"$expect\" in: $output"
    case "$output" in *"could not be loaded"*|*"cannot be loaded"*|*"Could not load"*) fail "$what: a system DLL was not found: $output" ;; esac
    case "$output" in *"window check:"*) fail "$what: $output" ;; esac
    rm -f "$folder"/*.loaded
}
cd "$folder"
check "a local check" "" run "$folder/mirelrep.exe" /q /class:Win32_UserAccount
check "a named computer" "" run "$folder/mirelrep.exe" 127.0.0.1 /q /class:Win32_BIOS
check "Connect as" "" sh -c "echo secret | '$here/tools/wine-run.sh' '$folder/mirelrep.exe' 127.0.0.1 /q '/user:TEST\\someone' /password:* /class:Win32_BIOS"
check "an ODBC store" "ODBC\|odbc\|driver\|Driver" run "$folder/mirelrep.exe" /q /class:Win32_BIOS "/store:odbc:Driver={No Such Driver};Server=127.0.0.1"
check "a directory" "cannot be reached" run "$folder/mirelrep.exe" /directory:LDAP://127.0.0.1:1/dc=x /names
check "the window's local check" "" run "$window_check" "$folder/mirel.exe"
check "the window's check of a named computer" "" run "$window_check" "$folder/mirel.exe" 127.0.0.1

# What Wine's user32 brings from the folder: loaded by the smallest user32 program too.
cd /
rm -f "$folder"/*.dll
for name in $wine_own; do
    cp "$build/planted/$name.dll" "$folder/"
    run "$folder/user32_only.exe" >/dev/null 2>&1
    if [ -f "$folder/$name.dll.loaded" ]; then
        echo "note: Wine's user32 loads $name.dll from the program's folder (its own import)"
        rm -f "$folder"/*.loaded
        continue
    fi
    run "$folder/mirelrep.exe" /q /class:Win32_BIOS >/dev/null 2>&1
    run "$window_check" "$folder/mirel.exe" >/dev/null 2>&1
    [ -z "$(planted)" ] || fail "the programs loaded the planted $(planted)"
    rm -f "$folder"/*.dll "$folder"/*.loaded
done
[ "$failures" = 0 ] || exit 1
echo "no planted DLL was loaded by mirelrep or mirel"
