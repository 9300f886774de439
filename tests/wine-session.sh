#!/bin/sh
# A virtual X display and a warm wineserver for the Windows tests, started and
# stopped once around them (CTest's wine fixture, and with-display.sh).
#   wine-session.sh start DIR   starts both; DIR/display names the display
#   wine-session.sh stop DIR    stops both (by pid and by prefix)
# ZAVRIK_DISPLAY_BASE chooses where the search for a free display begins, so
# that runs side by side each have their own.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
action=$1
dir=$2
[ -n "$dir" ] || { echo "usage: $0 start|stop DIR" >&2; exit 2; }

start() {
    mkdir -p "$dir"
    stop
    display=${ZAVRIK_DISPLAY_BASE:-90}
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$((display + 1))
    done
    # setsid and no inherited output: CTest must not wait for these to end.
    setsid Xvfb ":$display" -noreset -screen 0 1920x1200x24 -nolisten tcp \
        </dev/null >/dev/null 2>&1 &
    echo $! >"$dir/xvfb.pid"
    tries=0
    while [ ! -e "/tmp/.X11-unix/X$display" ]; do
        tries=$((tries + 1))
        [ $tries -lt 200 ] || { echo "Xvfb did not start on :$display" >&2; exit 1; }
        sleep 0.05
    done
    export DISPLAY=":$display"
    echo "$DISPLAY" >"$dir/display"
    "$here/ensure-wineprefix.sh" || exit 1
    setsid wineserver -p </dev/null >/dev/null 2>&1
    # The first Wine program of a session starts Wine's own background
    # processes, which inherit its output handles and outlive it; a test
    # runner reading that output would then wait for them forever.
    "$here/run-wine.sh" cmd /c exit </dev/null >/dev/null 2>&1
    echo "Wine session on $DISPLAY, prefix $WINEPREFIX"
}

stop() {
    if [ -f "$dir/display" ]; then
        wineserver -k >/dev/null 2>&1
        wineserver -w >/dev/null 2>&1
    fi
    if [ -f "$dir/xvfb.pid" ]; then
        kill "$(cat "$dir/xvfb.pid")" 2>/dev/null
    fi
    rm -f "$dir/display" "$dir/xvfb.pid"
}

case "$action" in
    start) start ;;
    stop) stop ;;
    *) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
