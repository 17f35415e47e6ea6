#!/bin/sh
# Screenshots of the appearance demo (build/bench/appearance_demo.exe) in each of the
# nine looks, taken under Xvfb inside Wine's virtual desktop.
#   tools/appearance-screenshots.sh [build-dir] [output-dir]
# Writes to <output-dir> (default /tmp), for each look:
#   appearance_<look>.png        the window as it starts
#   appearance_<look>_open.png   a hot toolbar button and the Help menu open
# and appearance_<look>_ja.png for one look in Japanese.
# SHOT_LOOKS (looks to shoot), SHOT_JAPANESE_LOOK (216) and SHOT_SETTLE_SECONDS (4)
# change what is taken. Needs Xvfb and imagemagick's import; the Wine prefix
# <build-dir>/wine-shots uses the X11 driver. Everything started here is stopped again.
set -e
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
out=${2:-/tmp}
demo="$build/bench/appearance_demo.exe"
looks=${SHOT_LOOKS-210 211 212 213 214 215 216 217 218}
japanese_look=${SHOT_JAPANESE_LOOK-216}
settle=${SHOT_SETTLE_SECONDS:-4}
[ -f "$demo" ] || { echo "missing $demo (run make build first)" >&2; exit 1; }

# A display number nobody uses.
display=97
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
prefix="$build/wine-shots"
cleanup() {
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT INT TERM
export DISPLAY=":$display"
sleep 1

"$here/wine-prefix.sh" "$prefix" x11
export WINEPREFIX="$prefix" WINEDEBUG=-all
wine_run() { "$here/wine-run.sh" "$@" </dev/null >/dev/null 2>&1; }

# shoot <look> <file> [open]: runs the demo inside a virtual desktop, saves the screen.
shoot() {
    wine_run explorer /desktop=shots,900x600 "$demo" "$1" $(( (settle + 2) * 1000 )) $3 &
    runner=$!
    sleep "$settle"
    import -window root -crop 900x600+0+0 "$2"
    wait "$runner" 2>/dev/null || true
    echo "$2"
}

for look in $looks; do
    LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 shoot "$look" "$out/appearance_$look.png"
    LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 shoot "$look" "$out/appearance_${look}_open.png" open
done

if [ -n "$japanese_look" ]; then
    LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 shoot "$japanese_look" "$out/appearance_${japanese_look}_ja.png" open
fi
