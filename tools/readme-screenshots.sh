#!/bin/sh
# Regenerates the README's pictures (docs/*.png) from fresh screenshots.
#   tools/readme-screenshots.sh [build-dir]
set -e
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
"$here/screenshots.sh" "$build" "$shots" >/dev/null
docs="$here/../docs"
mkdir -p "$docs"
rm -f "$docs"/*.png
# The states that need another computer are for review, not for the README.
for shot in "$shots"/*.png; do
    case $(basename "$shot") in remote-*) ;; *) cp "$shot" "$docs/" ;; esac
done
ls "$docs"
