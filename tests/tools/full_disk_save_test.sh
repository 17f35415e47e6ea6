#!/bin/sh
# A save onto a disk that fills up leaves the previous file byte for byte and no temporary
# file behind: mirelrep writes the standard report onto a 32 KiB tmpfs that has room for
# the previous report only. Needs the right to mount (root); exits 77 (skipped) without it.
# Usage: full_disk_save_test.sh <build folder>
build=$1
dir=$(mktemp -d /tmp/mirel-full-disk.XXXXXX)
cleanup() { umount "$dir" 2>/dev/null; rmdir "$dir"; }
trap cleanup EXIT
if ! mount -t tmpfs -o size=32k tmpfs "$dir" 2>/dev/null; then
    echo "cannot mount a tmpfs here: skipped"
    exit 77
fi
printf 'previous report\r\n' > "$dir/report.txt"
# Fill all but one page: the new report (several KiB) cannot be written completely.
dd if=/dev/zero of="$dir/filler" bs=4k count=64 2>/dev/null
rm "$dir/filler"
dd if=/dev/zero of="$dir/filler" bs=4k count=6 2>/dev/null
before=$(md5sum < "$dir/report.txt")

"$(dirname "$0")/../../tools/wine-run.sh" "$build/mirelrep.exe" /q "/out:Z:$dir/report.txt" \
    > "$dir.out" 2> "$dir.err"
code=$?
status=0
if [ "$code" -ne 5 ]; then
    echo "FAILED: exit code $code, expected 5 (file error)"; status=1
fi
if ! grep -q "File Write Error" "$dir.err"; then
    echo "FAILED: no write error message:"; cat "$dir.err"; status=1
fi
if [ "$(md5sum < "$dir/report.txt")" != "$before" ]; then
    echo "FAILED: the previous report changed"; status=1
fi
left=$(ls -A "$dir" | grep -v -x -e report.txt -e filler)
if [ -n "$left" ]; then
    echo "FAILED: left behind: $left"; status=1
fi
rm -f "$dir.out" "$dir.err"
[ $status -eq 0 ] && echo "1 passed, 0 failed"
[ $status -ne 0 ] && echo "0 passed, 1 failed"
exit $status
