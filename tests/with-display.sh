#!/bin/sh
# Runs a command with a virtual X display and a warm wineserver, and stops both
# (by pid) afterwards. Usage: tests/with-display.sh command [args...]
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="${WINEPREFIX:-$here/../build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"

display=${ZAVRIK_DISPLAY_BASE:-90}
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
done
Xvfb ":$display" -noreset -screen 0 1920x1200x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
tries=0
while [ ! -e "/tmp/.X11-unix/X$display" ] && [ $tries -lt 100 ]; do
    sleep 0.1
    tries=$((tries + 1))
done
export DISPLAY=":$display"

"$here/ensure-wineprefix.sh"
wineserver -p >/dev/null 2>&1 &
# The first Wine program of a session starts Wine's own background processes,
# which inherit its output handles and outlive it; a test runner reading that
# output would then wait for them forever. Start them here, on /dev/null.
"$here/run-wine.sh" cmd /c exit </dev/null >/dev/null 2>&1

"$@"
status=$?

wineserver -k >/dev/null 2>&1
kill "$xvfb_pid" 2>/dev/null
wait "$xvfb_pid" 2>/dev/null
exit $status
