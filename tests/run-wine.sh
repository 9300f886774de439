#!/bin/sh
# Runs a Windows executable under Wine with the project's own prefix.
# Used as CMAKE_CROSSCOMPILING_EMULATOR, so CTest runs Windows tests through it.
# Needs DISPLAY (tests/with-display.sh provides a virtual one).
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="${WINEPREFIX:-$here/../build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"
if [ -x /usr/lib/wine/wine64 ]; then
    exec /usr/lib/wine/wine64 "$@"
fi
exec wine "$@"
