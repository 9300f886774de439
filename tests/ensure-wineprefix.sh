#!/bin/sh
# Makes the Wine prefix of WINEPREFIX once; later calls return at once.
#
# Every session has a prefix of its own (two wineservers never share one),
# yet nearly all of a prefix is Wine's own libraries, the same in each: the
# first prefix of a Wine is made as a template (about fifteen seconds), and
# each prefix is a copy of it whose large files are hard links. Wine never
# writes those in place; the small ones (registry, .ini files) are copies.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
SETTINGS_DONE=.zavrik-settings-1
template=$(zavrik_prefix "$here/../build/wineprefix-template")

# A prefix made before wine32 was installed has an empty syswow64 and cannot
# start 32-bit programs: make it again.
whole() {
    [ -f "$1/$SETTINGS_DONE" ] && [ -f "$1/system.reg" ] &&
        { ! zavrik_has_wine32 || [ -f "$1/drive_c/windows/syswow64/kernel32.dll" ]; }
}

whole "$WINEPREFIX" && exit 0

# Made without a display, a prefix takes the null driver's screen and
# monitors for good: make it on a virtual display of its own.
[ -n "${DISPLAY:-}" ] || exec "$here/with-display.sh" "$0"

make_template() {
    rm -rf "$template"
    mkdir -p "$template"
    # With wine32 installed the plain wineboot uses the 32-bit loader and makes
    # a prefix whose syswow64 is empty; the 64-bit loader makes one that runs both.
    WINEPREFIX=$template zavrik_wine64 wineboot -i >/dev/null 2>&1
    # The registry reaches the disk when the server ends.
    WINEPREFIX=$template zavrik_wineserver -w
    # Wine maps a managed window and then waits up to 2 s for a window manager
    # to mark it mapped; with none here that is 2 s for the first window of
    # every process, so once for each Windows test case. The test suite's
    # windows are left unmanaged; the program itself, in the end-to-end tests
    # and the benchmark, stays as it runs for users.
    WINEPREFIX=$template zavrik_wine64 reg add 'HKCU\Software\Wine\AppDefaults\win_tests.exe\X11 Driver' \
        /v Managed /d N /f >/dev/null 2>&1 || return 1
    WINEPREFIX=$template zavrik_wineserver -w
    touch "$template/$SETTINGS_DONE"
}

mkdir -p "$(dirname "$template")"
(
    # Sessions of both Windows builds start at once: one makes the template.
    flock 9
    whole "$template" || make_template || { echo "the Wine prefix template could not be made" >&2; exit 1; }
    [ "$WINEPREFIX" = "$template" ] && exit 0
    rm -rf "$WINEPREFIX" "$WINEPREFIX.new"
    cp -al "$template" "$WINEPREFIX.new" || exit 1
    find "$WINEPREFIX.new" -type f -size -64k -exec sh -c \
        'for f; do cp -p "$f" "$f.copy" && mv -f "$f.copy" "$f"; done' sh {} + || exit 1
    mv "$WINEPREFIX.new" "$WINEPREFIX"
) 9>"$template.lock"
