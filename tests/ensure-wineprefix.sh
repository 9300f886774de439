#!/bin/sh
# Creates the project's Wine prefix once (about ten seconds); later calls
# return at once. Needs DISPLAY only for the first creation.
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="${WINEPREFIX:-$here/../build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"
[ -f "$WINEPREFIX/system.reg" ] && exit 0
mkdir -p "$WINEPREFIX"
wineboot -i >/dev/null 2>&1
wineserver -w
