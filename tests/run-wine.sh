#!/bin/sh
# Runs a Windows executable under Wine with the project's own prefix, with the
# loader that matches the executable: the 32-bit one for an i386 program, the
# 64-bit one otherwise (of Wine 10 with ZAVRIK_WINE=10, see wine-env.sh).
# Used as CMAKE_CROSSCOMPILING_EMULATOR, so CTest runs
# Windows tests through it. Needs DISPLAY (tests/with-display.sh provides one).
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
# Wine started without a display falls back to its null driver, and that
# driver's 1024 x 768 screen stays in the prefix's monitor records. Listing
# the test cases (which CTest does before any fixture runs) gets a display too.
[ -n "${DISPLAY:-}" ] || exec "$here/with-display.sh" "$0" "$@"
# A prefix Wine made by itself on first use would be made by the loader of
# whatever ran first; the project's is made one way only.
[ -f "$WINEPREFIX/system.reg" ] || "$here/ensure-wineprefix.sh"

# The PE header's machine field: 14c for i386, 8664 for x86_64.
pe_machine() {
    [ -f "$1" ] || return
    offset=$(od -An -tu4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ')
    [ -n "$offset" ] || return
    od -An -tx2 -j $((offset + 4)) -N 2 "$1" 2>/dev/null | tr -d ' '
}

# Always exec: whoever started this script holds Wine's own process, and
# ending it ends the program (a shell left between them would be ended
# instead, and the program's window would stay on the display).
if [ "$(pe_machine "$1")" = "014c" ] && zavrik_has_wine32; then
    zavrik_exec /usr/lib/wine/wine "$@"
fi
zavrik_exec /usr/lib/wine/wine64 "$@"
