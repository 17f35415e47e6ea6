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
cp "$shots"/*.png "$docs/"
ls "$docs"
