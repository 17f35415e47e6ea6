#!/bin/sh
# The windows over the inventory store against a real store, in a Wine prefix of its own (a
# service is created in it): mirelrep records three checks of this computer, the third after
# a new service, and the store windows' tests of test_shell run against that store.
# Usage: store_windows_test.sh <build folder> <test_shell.exe>
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/../.." && pwd)
out=$(mktemp -d /tmp/mirel-store-windows.XXXXXX)
"$here/tools/wine-prefix.sh" "$build/wine-store-windows" null >/dev/null 2>&1
export WINEPREFIX="$build/wine-store-windows" WINEDEBUG=-all
wine="$here/tools/wine-run.sh"
cleanup() {
    "$wine" sc delete MirelWindowsTest >/dev/null 2>&1
    rm -rf "$out"
}
trap cleanup EXIT
store="Z:$out/inventory.db"
for check in 1 2 3; do
    if [ $check = 3 ]; then
        "$wine" sc create MirelWindowsTest binpath= 'C:\windows\system32\notepad.exe' displayname= 'Mirel Windows Test' >/dev/null 2>&1 ||
            { echo "FAILED: sc create"; exit 1; }
    fi
    "$wine" "$build/mirelrep.exe" /q "/store:$store" "/out:Z:$out/check$check.txt" ||
        { echo "FAILED: check $check"; exit 1; }
done
MIREL_TEST_STORE="$store" "$wine" "$2" --gtest_filter='StoreWindowsTest.*'
