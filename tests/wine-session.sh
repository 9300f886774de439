#!/bin/sh
# A virtual X display and a warm wineserver for the Windows tests, started and
# stopped once around them (CTest's wine fixture, and with-display.sh).
#   wine-session.sh start DIR [PREFIX]
#                               starts both, with that Wine prefix (else the
#                               project's); DIR/display and DIR/prefix name them
#   wine-session.sh restart DIR starts the wineserver afresh, on the same
#                               display: Wine takes settings such as the
#                               screen's DPI when its server starts
#   wine-session.sh stop DIR    stops both (by pid and by prefix)
# ZAVRIK_MONITORS="1024x768 1280x1024" gives the display one monitor per size,
# side by side from the first (the primary) rightwards: a Xephyr server with
# Xinerama heads, itself shown on an Xvfb of its own.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
action=$1
dir=$2
[ -n "$dir" ] || { echo "usage: $0 start DIR [PREFIX] | stop DIR" >&2; exit 2; }
# Wine 10's session lies inside Wine 8's folder (wine-env.sh finds it there).
if [ -n "$zavrik_wine_suffix" ]; then
    case "$dir" in */wine10) ;; *) dir=$dir/wine10 ;; esac
fi
if [ "$action" = start ] && [ -n "${3:-}" ]; then
    mkdir -p "$dir" && zavrik_prefix "$3" >"$dir/prefix"
fi
[ -f "$dir/prefix" ] && WINEPREFIX=$(cat "$dir/prefix")
export WINEPREFIX

start() {
    if [ -n "$zavrik_wine_suffix" ]; then
        "$here/wine10.sh" ensure || exit 1
    fi
    mkdir -p "$dir"
    stop
    # ZAVRIK_SCREEN gives another size, e.g. 1280x1024x24 where a window
    # of the test sizes meets the system's widest window.
    x_server xvfb Xvfb -screen 0 "${ZAVRIK_SCREEN:-1920x1200x24}"
    if [ -n "${ZAVRIK_MONITORS:-}" ]; then
        # RANDR off: Wine then takes the monitors from Xinerama's heads.
        heads=
        for size in $ZAVRIK_MONITORS; do heads="$heads -screen $size"; done
        # shellcheck disable=SC2086
        x_server xephyr Xephyr +xinerama -extension RANDR $heads
    fi
    echo "$DISPLAY" >"$dir/display"
    "$here/ensure-wineprefix.sh" || exit 1
    serve
    echo "Wine session on $DISPLAY, prefix $WINEPREFIX"
}

serve() {
    # The server leaves for a session of its own; with no output inherited,
    # CTest does not wait for it.
    zavrik_wineserver -p </dev/null >/dev/null 2>&1
    # The first Wine program of a session starts Wine's own background
    # processes, which inherit its output handles and outlive it; a test
    # runner reading that output would then wait for them forever.
    "$here/run-wine.sh" cmd /c exit </dev/null >/dev/null 2>&1
}

# Starts an X server on DISPLAY (if any) and makes DISPLAY its own. The
# server takes the first free display number itself and writes it to the
# file, so that sessions started at the same moment never meet. setsid and
# no inherited output: CTest must not wait for it to end.
x_server() {
    name=$1
    shift
    rm -f "$dir/display.number"
    setsid "$@" -displayfd 3 -noreset -nolisten tcp \
        3>"$dir/display.number" </dev/null >/dev/null 2>&1 &
    echo $! >"$dir/$name.pid"
    tries=0
    while ! grep -q '^[0-9]' "$dir/display.number" 2>/dev/null; do
        tries=$((tries + 1))
        [ $tries -lt 400 ] || { echo "$1 did not start" >&2; exit 1; }
        sleep 0.05
    done
    DISPLAY=":$(head -1 "$dir/display.number")"
    export DISPLAY
}

end_server() {
    zavrik_wineserver -k >/dev/null 2>&1
    zavrik_wineserver -w >/dev/null 2>&1
}

restart() {
    [ -f "$dir/display" ] || { echo "no Wine session in $dir" >&2; exit 1; }
    DISPLAY=$(cat "$dir/display")
    export DISPLAY
    end_server
    serve
}

stop() {
    [ ! -f "$dir/display" ] || end_server
    for server in xephyr xvfb; do
        [ -f "$dir/$server.pid" ] && kill "$(cat "$dir/$server.pid")" 2>/dev/null
    done
    rm -f "$dir/display" "$dir/display.number" "$dir/xephyr.pid" "$dir/xvfb.pid"
    rm -rf "$dir"/cases-*
}

case "$action" in
    start) start ;;
    restart) restart ;;
    stop) stop ;;
    *) echo "usage: $0 start|restart|stop DIR" >&2; exit 2 ;;
esac
