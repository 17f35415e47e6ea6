#!/bin/sh
# Takes screenshots of Mirel under Xvfb (no display needed): each appearance style and
# both forms after a check of the local computer, and the window that checks several
# computers, in English and in Japanese.
#   tools/screenshots.sh [build-dir] [out-dir]
# Needs Xvfb and imagemagick (import, convert).
set -e
build=$(cd "${1:-build}" && pwd)
out=${2:-$build/screenshots}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)
display=:96
prefix_en="$build/wine-shots-en"
prefix_ja="$build/wine-shots-ja"
prefix_150="$build/wine-shots-150"

Xvfb $display -screen 0 1024x700x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; for p in "$prefix_en" "$prefix_ja" "$prefix_150"; do WINEPREFIX="$p" wineserver -k 2>/dev/null; done; true' EXIT
sleep 1
export DISPLAY=$display WINEDEBUG=-all
# A prefix made under the Japanese locale gets Japanese-capable interface fonts (menus,
# status bar); fonts-ipafont-gothic provides the glyphs.
LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 "$here/wine-prefix.sh" "$prefix_en" x11
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$here/wine-prefix.sh" "$prefix_ja" x11
# 150 % scaling: 144 dots per inch.
LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 "$here/wine-prefix.sh" "$prefix_150" x11
WINEPREFIX="$prefix_150" "$here/wine-run.sh" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
WINEPREFIX="$prefix_150" wineserver -w

# shot <file> <language> <arguments of mirel_screens>
shot() {
    file=$1; language=$2; shift 2
    case $language in
        ja*) export WINEPREFIX="$prefix_ja" ;;
        150) export WINEPREFIX="$prefix_150"; language=en_US.UTF-8 ;;
        *) export WINEPREFIX="$prefix_en" ;;
    esac
    ready="$build/screens.ready"
    rm -f "$ready"
    MIREL_READY_FILE="Z:$(echo "$ready" | tr / '\\\\')" LANG=$language LC_ALL=$language \
        "$here/wine-run.sh" explorer /desktop=mirel,1000x660 "$build/bench/mirel_screens.exe" "$@" &
    runner=$!
    for _ in $(seq 1 600); do [ -f "$ready" ] && break; sleep 0.5; done
    sleep 1
    import -window root -crop 1000x660+0+0 "$out/$file"
    kill $runner 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    sleep 1
    echo "$out/$file"
}

shot standard-214-en.png en_US.UTF-8 214 standard 19
shot individual-215-en.png en_US.UTF-8 215 individual 101 204 1224
shot standard-216-en.png en_US.UTF-8 216 standard 24
shot standard-210-en.png en_US.UTF-8 210 standard 26
shot standard-218-ja.png ja_JP.UTF-8 218 standard 19
shot individual-217-ja.png ja_JP.UTF-8 217 individual 102 220 1103
shot individual-213-150.png 150 213 individual 101 204 1224
shot standard-214-150.png 150 214 standard 13
shot several-214-en.png en_US.UTF-8 214 several . localhost 127.0.0.1 nothere.invalid
shot several-217-ja.png ja_JP.UTF-8 217 several . localhost 127.0.0.1 nothere.invalid
shot several-opened-214-en.png en_US.UTF-8 214 several-open localhost 127.0.0.1
