#!/bin/sh
# Creates the project's Wine prefix once (about ten seconds); later calls
# return at once. Needs DISPLAY only for the first creation.
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="${WINEPREFIX:-$here/../build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"
# A prefix made before wine32 was installed has an empty syswow64 and cannot
# start 32-bit programs: make it again.
if [ -f "$WINEPREFIX/system.reg" ]; then
    [ -x /usr/lib/wine/wine ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] \
        || exit 0
    rm -rf "$WINEPREFIX"
fi
mkdir -p "$WINEPREFIX"
# With wine32 installed the plain wineboot uses the 32-bit loader and makes a
# prefix whose syswow64 is empty; the 64-bit loader makes one that runs both.
if [ -x /usr/lib/wine/wine64 ]; then
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
else
    wineboot -i >/dev/null 2>&1
fi
wineserver -w
