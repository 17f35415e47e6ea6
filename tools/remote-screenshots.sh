#!/bin/sh
# Screenshots of the states that need another computer (a reading that breaks off, a
# computer that drops ping, Connect as...), in English and Japanese, under Xvfb.
#   tools/remote-screenshots.sh [build-dir] [out-dir]
set -e
build=$(cd "${1:-build}" && pwd)
out=${2:-$build/screenshots}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)
display=:97
Xvfb $display -screen 0 1024x700x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; for l in en ja; do WINEPREFIX="$build/wine-shots-$l" wineserver -k 2>/dev/null; done; true' EXIT
sleep 1
export DISPLAY=$display WINEDEBUG=-all
LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 "$here/wine-prefix.sh" "$build/wine-shots-en" x11
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$here/wine-prefix.sh" "$build/wine-shots-ja" x11
for language in en ja; do
    case $language in ja) locale=ja_JP.UTF-8 ;; *) locale=en_US.UTF-8 ;; esac
    export WINEPREFIX="$build/wine-shots-$language"
    for state in incomplete ping connectas; do
        ready="$build/remote-screens.ready"
        rm -f "$ready"
        MIREL_READY_FILE="Z:$(echo "$ready" | tr / '\\\\')" LANG=$locale LC_ALL=$locale \
            "$here/wine-run.sh" explorer /desktop=mirel,1000x660 "$build/bench/remote_screens.exe" $state &
        runner=$!
        for _ in $(seq 1 120); do [ -f "$ready" ] && break; sleep 0.5; done
        sleep 3
        import -window root -crop 1000x660+0+0 "$out/remote-$state-$language.png"
        kill $runner 2>/dev/null || true
        wineserver -k 2>/dev/null || true
        sleep 1
        echo "$out/remote-$state-$language.png"
    done
done
