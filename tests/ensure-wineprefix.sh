#!/bin/sh
# Creates the project's Wine prefix once (about fifteen seconds); later calls
# return at once.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
settings_done="$WINEPREFIX/.zavrik-settings-1"

# A prefix made before wine32 was installed has an empty syswow64 and cannot
# start 32-bit programs: make it again.
if [ -f "$WINEPREFIX/system.reg" ]; then
    zavrik_has_wine32 && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] \
        && rm -rf "$WINEPREFIX"
fi
[ -f "$settings_done" ] && [ -f "$WINEPREFIX/system.reg" ] && exit 0

# Made without a display, the prefix takes the null driver's screen and
# monitors for good: make it on a virtual display of its own.
if [ -z "${DISPLAY:-}" ]; then
    exec "$here/with-display.sh" "$0"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    # With wine32 installed the plain wineboot uses the 32-bit loader and makes
    # a prefix whose syswow64 is empty; the 64-bit loader makes one that runs both.
    zavrik_wine64 wineboot -i >/dev/null 2>&1
    # The registry reaches the disk when the server ends.
    zavrik_wineserver -w
fi

if [ ! -f "$settings_done" ]; then
    # Wine maps a managed window and then waits up to 2 s for a window manager
    # to mark it mapped; with none here that is 2 s for the first window of
    # every process, so once for each Windows test case. The test suite's
    # windows are left unmanaged; the program itself, in the end-to-end tests
    # and the benchmark, stays as it runs for users.
    zavrik_wine64 reg add 'HKCU\Software\Wine\AppDefaults\win_tests.exe\X11 Driver' \
        /v Managed /d N /f >/dev/null 2>&1 && touch "$settings_done"
fi
zavrik_wineserver -w
