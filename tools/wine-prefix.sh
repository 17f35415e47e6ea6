#!/bin/sh
# Creates (once) a Wine prefix for Mirel and starts a lingering wineserver for it.
#   tools/wine-prefix.sh <prefix-dir> <null|x11>
# "null" selects Wine's headless graphics driver: windows and controls exist and get
# messages without any X display. The server lingers 30 s after its last client.
set -e
prefix=$1
driver=${2:-null}
[ -n "$prefix" ] || { echo "usage: $0 <prefix-dir> [null|x11]" >&2; exit 2; }
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)
export WINEPREFIX="$prefix" WINEDEBUG=-all
here=$(dirname "$0")

if [ ! -f "$prefix/.mirel-ready" ]; then
    echo "Creating Wine prefix $prefix ..."
    # Without a display the first boot must not try to open one.
    env -u DISPLAY wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    fonts="$prefix/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
    if [ "$driver" = null ]; then
        "$here/wine-run.sh" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    fi
    wineserver -w
    touch "$prefix/.mirel-ready"
fi
wineserver -p30 </dev/null >/dev/null 2>&1 || true  # already running is fine
# Start Wine's background services now, detached from the caller's output, so that
# the programs run later do not start them with their own output pipes attached.
"$here/wine-run.sh" cmd /c exit </dev/null >/dev/null 2>&1 || true
