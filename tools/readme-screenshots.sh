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
cp "$shots/standard-214-en.png" "$docs/standard.png"
cp "$shots/individual-215-en.png" "$docs/individual.png"
cp "$shots/individual-217-ja.png" "$docs/japanese.png"
cp "$shots/several-214-en.png" "$docs/several.png"
ls "$docs"
