#!/bin/sh
# Packs Mirel for administrators: build/dist/mirel-1.0.zip with mirel.exe, mirelrep.exe
# and a short text on what they are and how to start them.
#   tools/make-dist.sh <build-dir>
set -e
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
stage="$build/dist/mirel-1.0"
rm -rf "$stage" "$build/dist/mirel-1.0.zip"
mkdir -p "$stage"
cp "$build/mirel.exe" "$build/mirelrep.exe" "$stage/"
# Windows line ends for the text file.
sed 's/$/\r/' "$here/dist-readme.txt" > "$stage/README.txt"
(cd "$build/dist" && zip -q -r mirel-1.0.zip mirel-1.0)
echo "$build/dist/mirel-1.0.zip"
