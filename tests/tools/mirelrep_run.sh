# Sourced by the end-to-end scripts of the store and the reports, which set $here (the
# source folder), $build and $out: runs mirelrep under Wine and checks how it ended.
#   rep <arguments...>       runs it; stdout and stderr in $out, the exit code in $code
#   expect <code> <what>     fails the script unless the run ended with that code
#   fail <what>              says so and ends the script with exit code 1
fail() { echo "FAILED: $*"; exit 1; }
rep() {
    "$here/tools/wine-run.sh" "$build/mirelrep.exe" "$@" >"$out/stdout" 2>"$out/stderr"
    code=$?
    # On a busy machine Wine has, very rarely, ended a run at once with exit code 1 and
    # nothing written at all; mirelrep itself never ends a store command or a report so.
    # Such a run is made once more, and the script says that it was.
    if [ "$code" = 1 ] && [ ! -s "$out/stdout" ] && [ ! -s "$out/stderr" ]; then
        echo "note: ended with exit code 1 and no output, run again: mirelrep $*"
        "$here/tools/wine-run.sh" "$build/mirelrep.exe" "$@" >"$out/stdout" 2>"$out/stderr"
        code=$?
    fi
}
expect() { [ "$code" = "$1" ] || { cat "$out/stderr"; fail "$2: exit code $code, expected $1"; }; }
