#!/bin/sh
# Runs a command inside a Wine session of its own (a virtual X display and a
# warm wineserver), and stops the session afterwards. For make run, bench and
# soak; CTest starts the same session as a fixture around the Windows tests.
# Usage: tests/with-display.sh command [args...]
here=$(cd "$(dirname "$0")" && pwd)
session=$(mktemp -d "${TMPDIR:-/tmp}/zavrik-session.XXXXXX")
"$here/wine-session.sh" start "$session" >/dev/null || exit 1
export ZAVRIK_WINE_SESSION="$session"
. "$here/wine-env.sh"
"$@"
status=$?
"$here/wine-session.sh" stop "$session"
rm -rf "$session"
exit $status
