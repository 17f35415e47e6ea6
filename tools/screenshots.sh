#!/bin/sh
# Takes screenshots of Mirel under Xvfb (no display needed) after real checks of the local
# computer: the standard form (after a splitter drag and a toolbar toggle) and an
# individual check of Win32_Service, in English and Japanese, at 96 and 144 dpi, in three
# appearance styles; the Find dialog over its highlighted match; and the states that need
# another computer, with the test provider standing in for it (bench/remote_screens.cpp:
# a reading that breaks off, a computer that drops ping, Connect as...); the window
# that checks several computers; several rows selected under the list's context menu,
# the File menu and the help window; and the window's inventory store: a check shown again
# from the store, a computer that was not found opened again from the store, File >
# Options..., File > Open... of a check mailed from another computer, the individual tab's
# class finder after typing "disk", and the windows over the store (History with its
# context menu, a comparison after a new service, the question of disks with little free
# space answered) after three real checks recorded; "From the directory..." with its preview
# and "Address range...".
#   tools/screenshots.sh [build-dir] [out-dir] [store|damage|directory]   (only the store's
#   windows, only the messages of a damaged store, or only the windows that find computers)
# MIREL_DISPLAY names the X display to use (default :96); MIREL_SHOTS, a shell pattern,
# takes only the pictures whose file names match it.
# Needs Xvfb, imagemagick (import) and, for Japanese, fonts-ipafont-gothic; the symbols of
# the service named in several scripts come from fonts-dejavu-core and fonts-freefont-ttf.
set -e
build=$(cd "${1:-build}" && pwd)
out=${2:-$build/screenshots}
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)
display=${MIREL_DISPLAY:-${MIREL_SHOTS_DISPLAY:-${MIREL_SCREEN_DISPLAY:-:96}}}
only=${3:-all}
prefix_en="$build/wine-shots-en"
prefix_ja="$build/wine-shots-ja"
prefix_en144="$build/wine-shots-en144"
prefix_ja144="$build/wine-shots-ja144"
prefixes="$prefix_en $prefix_ja $prefix_en144 $prefix_ja144"

Xvfb $display -screen 0 1600x1100x24 >/dev/null 2>&1 &
xvfb=$!
trap 'set +e; kill $xvfb 2>/dev/null; for p in $prefixes; do WINEPREFIX="$p" wineserver -k 2>/dev/null; done; true' EXIT
sleep 1
export DISPLAY=$display WINEDEBUG=-all
# A prefix made under the Japanese locale gets Japanese-capable interface fonts (menus,
# status bar); fonts-ipafont-gothic provides the glyphs.
LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 "$here/wine-prefix.sh" "$prefix_en" x11
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$here/wine-prefix.sh" "$prefix_ja" x11
LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 "$here/wine-prefix.sh" "$prefix_en144" x11
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 "$here/wine-prefix.sh" "$prefix_ja144" x11
# A service whose display name needs more than any one code page, so that the pictures
# show every character arriving (the prefixes are the screenshots' own).
for prefix in $prefixes; do
    WINEPREFIX="$prefix" LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 "$here/wine-run.sh" sc create MirelUnicodeDemo \
        binPath= 'C:\windows\system32\notepad.exe' DisplayName= 'サービス café ✓ ® ™ 𝄞' >/dev/null 2>&1 || true
    # Font linking, as Windows has it out of the box: characters the interface font lacks
    # are drawn with a font that has them (Japanese in the English prefixes, symbols).
    for face in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif' IPAGothic IPAPGothic 'IPAゴシック' 'IPA Pゴシック'; do
        WINEPREFIX="$prefix" "$here/wine-run.sh" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
            /v "$face" /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic\0DejaVuSans.ttf,DejaVu Sans\0FreeSerif.ttf,FreeSerif' /f >/dev/null 2>&1 || true
    done
    WINEPREFIX="$prefix" wineserver -w
done
# 150 % scaling: 144 dots per inch.
for prefix in "$prefix_en144" "$prefix_ja144"; do
    WINEPREFIX="$prefix" "$here/wine-run.sh" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
    WINEPREFIX="$prefix" wineserver -w
done

# shot <file> <en|ja|en144|ja144> <arguments of the program>
# The program is bench/mirel_screens.exe unless $program names another; $settle is the
# wait in seconds between its ready signal and the picture (a modal box needs longer).
shot() {
    file=$1; kind=$2; shift 2
    case $file in ${MIREL_SHOTS:-*}) ;; *) return 0 ;; esac
    case $kind in
        ja) export WINEPREFIX="$prefix_ja"; language=ja_JP.UTF-8; desktop=1000x660 ;;
        en144) export WINEPREFIX="$prefix_en144"; language=en_US.UTF-8; desktop=1500x1000 ;;
        ja144) export WINEPREFIX="$prefix_ja144"; language=ja_JP.UTF-8; desktop=1500x1000 ;;
        *) export WINEPREFIX="$prefix_en"; language=en_US.UTF-8; desktop=1000x660 ;;
    esac
    ready="$build/screens.ready"
    rm -f "$ready"
    MIREL_READY_FILE="Z:$(echo "$ready" | tr / '\\\\')" LANG=$language LC_ALL=$language \
        "$here/wine-run.sh" explorer /desktop=mirel,$desktop "$build/bench/${program:-mirel_screens}.exe" "$@" &
    runner=$!
    for _ in $(seq 1 600); do [ -f "$ready" ] && break; sleep 0.5; done
    sleep "${settle:-1}"
    import -window root -crop $desktop+0+0 "$out/$file"
    kill $runner 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    sleep 1
    echo "$out/$file"
}

# Whether MIREL_SHOTS wants any picture of these names, in either language and size; the
# set-up of pictures nobody asked for is skipped.
wanted() {
    for name; do
        for kind in en-96 ja-96 en-144 ja-144; do
            case $name-$kind.png in ${MIREL_SHOTS:-*}) return 0 ;; esac
        done
    done
    return 1
}

# The store's pictures: three checks recorded into each prefix's default store, the third
# after a service was created; the service goes again after it.
store_shots() {
    wanted history compare questions || return 0
    for prefix in $prefixes; do
        case $prefix in *ja*) language=ja_JP.UTF-8 ;; *) language=en_US.UTF-8 ;; esac
        rm -rf "$prefix"/drive_c/users/*/AppData/Local/Mirel
        for check in 1 2 3; do
            [ $check = 3 ] && WINEPREFIX="$prefix" "$here/wine-run.sh" sc create MirelStoreDemo \
                binPath= 'C:\windows\system32\notepad.exe' DisplayName= 'Mirel Store Demo' >/dev/null 2>&1
            WINEPREFIX="$prefix" LANG=$language LC_ALL=$language "$here/wine-run.sh" "$build/mirelrep.exe" /q /store \
                "/out:C:\\windows\\temp\\check$check.txt" >/dev/null 2>&1 || true
        done
        WINEPREFIX="$prefix" "$here/wine-run.sh" sc delete MirelStoreDemo >/dev/null 2>&1 || true
        WINEPREFIX="$prefix" wineserver -w
    done
    shot history-en-96.png en 214 history --context-menu
    shot history-ja-144.png ja144 214 history --default-size --context-menu
    shot compare-en-96.png en 214 compare
    shot compare-ja-96.png ja 217 compare
    shot compare-en-144.png en144 214 compare --default-size
    shot compare-ja-144.png ja144 214 compare --default-size
    shot history-ja-96.png ja 217 history --context-menu
    shot history-en-144.png en144 214 history --default-size --context-menu
    shot questions-en-96.png en 214 question low-disk 100
    shot questions-ja-96.png ja 217 question low-disk 100
    shot questions-en-144.png en144 214 question low-disk 100 --default-size
    shot questions-ja-144.png ja144 214 question low-disk 100 --default-size
}
# A damaged store: each prefix's default store gets a byte flipped where SQLite's integrity
# check finds it; the window's check of the day then tells it in a message box, and Yes
# moves it aside. The store is put back as it was afterwards.
damage_shots() {
    wanted damaged damaged-moved || return 0
    for prefix in $prefixes; do
        case $prefix in *ja*) language=ja_JP.UTF-8 ;; *) language=en_US.UTF-8 ;; esac
        store=$(ls -d "$prefix"/drive_c/users/*/AppData/Local/Mirel 2>/dev/null | head -n 1)/inventory.db
        if [ ! -f "$store" ]; then
            WINEPREFIX="$prefix" LANG=$language LC_ALL=$language "$here/wine-run.sh" "$build/mirelrep.exe" /q /store \
                /class:Win32_BIOS '/out:C:\windows\temp\bios.csv' >/dev/null 2>&1 || true
            WINEPREFIX="$prefix" wineserver -w
            store=$(ls -d "$prefix"/drive_c/users/*/AppData/Local/Mirel | head -n 1)/inventory.db
        fi
        cp "$store" "$prefix/inventory.db.sound"
    done
    # Each picture starts from the sound store, damaged anew.
    damage() {
        for prefix in $prefixes; do
            store=$(ls -d "$prefix"/drive_c/users/*/AppData/Local/Mirel | head -n 1)/inventory.db
            rm -f "$store"*
            cp "$prefix/inventory.db.sound" "$store"
            python3 "$here/../tests/tools/flip_store_page.py" "$store"
        done
    }
    damage; settle=1 shot damaged-en-96.png en 214 damaged
    damage; settle=1 shot damaged-ja-96.png ja 217 damaged
    damage; settle=1 shot damaged-en-144.png en144 214 damaged --default-size
    damage; settle=1 shot damaged-ja-144.png ja144 214 damaged --default-size
    damage; settle=1 shot damaged-moved-en-96.png en 214 damaged --move
    damage; settle=1 shot damaged-moved-ja-96.png ja 217 damaged --move
    damage; settle=1 shot damaged-moved-en-144.png en144 214 damaged --move --default-size
    damage; settle=1 shot damaged-moved-ja-144.png ja144 214 damaged --move --default-size
    for prefix in $prefixes; do
        folder=$(ls -d "$prefix"/drive_c/users/*/AppData/Local/Mirel | head -n 1)
        rm -f "$folder"/inventory.db*
        mv "$prefix/inventory.db.sound" "$folder/inventory.db"
    done
}
# "From the directory..." with its preview, over a directory server of the pictures' own
# (a slapd on a loopback port, as the tests start it).
directory_shots() {
    state="$build/screens-directory"
    rm -rf "$state"
    mkdir -p "$state"
    python3 "$here/../tests/tools/directory_ldif.py" 30 12 >"$state/accounts.ldif"
    sh "$here/../tests/tools/directory_server.sh" start "$state/server" "$state/accounts.ldif"
    export MIREL_DIRECTORY="LDAP://127.0.0.1:$(cat "$state/server/port")/dc=mirel,dc=test"
    export MIREL_DIRECTORY_USER="cn=admin,dc=mirel,dc=test" MIREL_DIRECTORY_PASSWORD=secret
    program=directory_screens settle=2 shot directory-en-96.png en
    program=directory_screens settle=2 shot directory-ja-96.png ja
    program=directory_screens settle=2 shot directory-en-144.png en144
    program=directory_screens settle=2 shot directory-ja-144.png ja144
    sh "$here/../tests/tools/directory_server.sh" stop "$state/server"
    # "Address range..." after a sweep of loopback addresses, which all answer.
    export MIREL_RANGE=127.0.0.1-127.0.0.40
    program=directory_screens settle=2 shot range-en-96.png en
    program=directory_screens settle=2 shot range-ja-96.png ja
    program=directory_screens settle=2 shot range-en-144.png en144
    program=directory_screens settle=2 shot range-ja-144.png ja144
    unset MIREL_RANGE
}
if [ "$only" = directory ]; then
    directory_shots
    exit 0
fi
if [ "$only" = store ]; then
    store_shots
    exit 0
fi
if [ "$only" = damage ]; then
    damage_shots
    exit 0
fi

service="102 225 1254"   # Operating System Classes / Services / Win32_Service
shot standard-214-en-96.png en 214 standard 24 --drag 60 --toggle
shot individual-214-en-96.png en 214 individual $service
shot standard-217-ja-96.png ja 217 standard 24 --drag 60 --toggle
shot individual-217-ja-96.png ja 217 individual $service
shot standard-210-en-144.png en144 210 standard 17 --default-size --drag 30 --toggle
shot individual-210-en-144.png en144 210 individual $service --default-size
shot standard-214-ja-144.png ja144 214 standard 24 --default-size --drag 30 --toggle
shot individual-214-ja-144.png ja144 214 individual $service --default-size --toggle
shot find-216-en-96.png en 216 individual $service --find Running
# A narrow window: the status pane's whole text under the pointer.
shot statustip-214-en-96.png en 214 standard 24 --status-tip
shot statustip-217-ja-96.png ja 217 standard 24 --status-tip
shot statustip-210-en-144.png en144 210 standard 24 --default-size --status-tip
shot statustip-214-ja-144.png ja144 214 standard 24 --default-size --status-tip
shot classfind-214-en-96.png en 214 find disk
shot classfind-217-ja-96.png ja 217 find disk
shot classfind-210-en-144.png en144 210 find disk --default-size
shot classfind-214-ja-144.png ja144 214 find disk --default-size
shot unicode-214-en-96.png en 214 individual $service --find 'サービス café'
shot unicode-217-ja-96.png ja 217 individual $service --find 'サービス café'
shot unicode-214-ja-144.png ja144 214 individual $service --default-size --find 'サービス café'
shot rows-214-en-96.png en 214 individual $service --select 3 5 --context-menu
shot rows-217-ja-96.png ja 217 individual $service --select 3 5 --context-menu
shot rows-210-en-144.png en144 210 individual $service --default-size --select 3 5 --context-menu
shot rows-214-ja-144.png ja144 214 individual $service --default-size --select 3 5 --context-menu
shot filemenu-214-en-96.png en 214 standard 24 --file-menu
shot filemenu-217-ja-96.png ja 217 standard 24 --file-menu
shot filemenu-210-en-144.png en144 210 standard 24 --default-size --file-menu
shot filemenu-214-ja-144.png ja144 214 standard 24 --default-size --file-menu
shot help-214-en-96.png en 214 standard 24 --help
shot help-217-ja-96.png ja 217 standard 24 --help
shot help-210-en-144.png en144 210 standard 24 --default-size --help
shot help-214-ja-144.png ja144 214 standard 24 --default-size --help
shot several.png en 214 several . localhost 127.0.0.1 nothere.invalid
shot several-ja.png ja 217 several . localhost 127.0.0.1 nothere.invalid
shot several-opened.png en 214 several-open localhost 127.0.0.1
several=". localhost 127.0.0.1 nothere.invalid"
shot several-max-214-en-96.png en 214 several-max $several
shot several-max-217-ja-96.png ja 217 several-max $several
shot several-max-210-en-144.png en144 210 several-max $several
shot several-max-214-ja-144.png ja144 214 several-max $several
for state in incomplete ping connectas; do
    program=remote_screens settle=3 shot remote-$state-en-96.png en $state
    program=remote_screens settle=3 shot remote-$state-ja-96.png ja $state
done
# The window's store. The check mailed from another computer is this computer's check under
# another name, saved by mirelrep as JSON.
mailed="$build/screens-mailed.json"
WINEPREFIX="$prefix_en" LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 "$here/wine-run.sh" "$build/mirelrep.exe" \
    /format:json /out:"Z:$(echo "$mailed" | tr / '\\')" >/dev/null 2>&1 || true
WINEPREFIX="$prefix_en" wineserver -k 2>/dev/null || true
# As if checked on another computer: its name as typed, as it gave it, and in its
# computer-system category (which names the computer a check is filed under).
python3 - "$mailed" <<'PY'
import json, sys
check = json.load(open(sys.argv[1], encoding="utf-8"))
check.update(computer="faraway-pc", computerName="FARAWAY-PC")
for table in check["categories"]:
    if table["class"] == "Win32_ComputerSystem":
        name = [column["property"] for column in table["columns"]].index("Name")
        for row in table["rows"]:
            row[name] = {"raw": "FARAWAY-PC", "text": "FARAWAY-PC"}
json.dump(check, open(sys.argv[1], "w", encoding="utf-8"), indent=1)
PY
mailed_path="Z:$(echo "$mailed" | tr / '\\')"
shot stored-214-en-96.png en 214 stored 24
shot stored-217-ja-96.png ja 217 stored 24
shot stored-210-en-144.png en144 210 stored 24 --default-size
shot stored-214-ja-144.png ja144 214 stored 24 --default-size
shot failed-214-en-96.png en 214 failed
shot failed-217-ja-96.png ja 217 failed
shot failed-210-en-144.png en144 210 failed --default-size
shot failed-214-ja-144.png ja144 214 failed --default-size
settle=2 shot options-214-en-96.png en 214 standard --options
settle=2 shot options-217-ja-96.png ja 217 standard --options
settle=2 shot options-210-en-144.png en144 210 standard --default-size --options
settle=2 shot options-214-ja-144.png ja144 214 standard --default-size --options
settle=3 shot open-214-en-96.png en 214 open "$mailed_path"
settle=3 shot open-217-ja-96.png ja 217 open "$mailed_path"
settle=3 shot open-210-en-144.png en144 210 open "$mailed_path" --default-size
settle=3 shot open-214-ja-144.png ja144 214 open "$mailed_path" --default-size
# The same check once more, already in the store (imported into each prefix's default store).
for kind in en ja en144 ja144; do
    case $kind in ja) p=$prefix_ja ;; en144) p=$prefix_en144 ;; ja144) p=$prefix_ja144 ;; *) p=$prefix_en ;; esac
    case "open-again-$kind" in ${MIREL_SHOTS:-*}) ;; *) continue ;; esac
    WINEPREFIX="$p" "$here/wine-run.sh" "$build/mirelrep.exe" /q /store "/import:$mailed_path" >/dev/null 2>&1 || true
    WINEPREFIX="$p" wineserver -k 2>/dev/null || true
done
settle=2 shot open-again-en-96.png en 214 open-again "$mailed_path"
settle=2 shot open-again-ja-96.png ja 217 open-again "$mailed_path"
settle=2 shot open-again-en-144.png en144 210 open-again "$mailed_path" --default-size
settle=2 shot open-again-ja-144.png ja144 214 open-again "$mailed_path" --default-size
rm -f "$mailed"
store_shots
damage_shots
