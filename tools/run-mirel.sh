#!/bin/sh
# Starts Mirel on the local computer under Wine.
#   tools/run-mirel.sh <build-dir> <wine-prefix>
# With a display (DISPLAY set) the program's window opens; without one the console
# report tool prints the standard report of the local computer instead.
set -e
build=$1
prefix=$2
here=$(cd "$(dirname "$0")" && pwd)
if [ -n "$DISPLAY" ]; then
    "$here/wine-prefix.sh" "$prefix" x11
    export WINEPREFIX="$prefix" WINEDEBUG=-all
    exec "$here/wine-run.sh" "$build/mirel.exe"
fi
if [ -f "$build/mirelrep.exe" ]; then
    echo "No display (DISPLAY is not set): printing the standard report with mirelrep.exe instead." >&2
    "$here/wine-prefix.sh" "$prefix-headless" null
    export WINEPREFIX="$prefix-headless" WINEDEBUG=-all
    exec "$here/wine-run.sh" "$build/mirelrep.exe"
fi
echo "No display (DISPLAY is not set). Start an X server, e.g. 'Xvfb :99 &' and 'export DISPLAY=:99', then run again." >&2
exit 1
