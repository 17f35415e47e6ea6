#!/bin/sh
# Runs a Windows program under Wine. The caller sets WINEPREFIX.
if [ -x /usr/lib/wine/wine64 ]; then
    exec /usr/lib/wine/wine64 "$@"
fi
exec wine "$@"
