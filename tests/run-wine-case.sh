#!/bin/sh
# Runs the Windows test suite under Wine for CTest: the listing of its cases
# and each case.
#
# Inside a Wine session (ZAVRIK_WINE_SESSION, the CTest fixture) a case is
# handed to one copy of the suite that stays up for the whole session
# (win_main.cpp, --serve), started here on first need: a Wine start costs
# more than most cases. A case left unanswered by an earlier run (it timed
# out) or a suite that ended means that copy is gone or stuck: a fresh one is
# started for the next case, and a case during which the suite ended fails
# with what it printed.
#
# Outside a session, and for the listing, the suite runs in a Wine process of
# its own. The suite prints its header before it runs anything, so such a run
# that ends in failure having printed nothing at all never reached the suite:
# Wine itself did not start it (seen once in a CI run). That is no test
# result; it is said in one line with Wine's exit status and the run is made
# once more.
here=$(cd "$(dirname "$0")" && pwd)

run_alone() {
    out=$(mktemp "${TMPDIR:-/tmp}/zavrik-case.XXXXXX") || exit 1
    err=$out.err
    trap 'rm -f "$out" "$err"' EXIT
    for attempt in 1 2; do
        "$here/run-wine.sh" "$@" >"$out" 2>"$err" </dev/null
        status=$?
        cat "$out"
        cat "$err" >&2
        [ $status -ne 0 ] && [ ! -s "$out" ] && [ ! -s "$err" ] || exit $status
        echo "run-wine-case.sh: Wine exited with status $status before the suite printed anything (attempt $attempt)" >&2
    done
    exit $status
}

server_alive() {
    [ -f "$dir/pid" ] && kill -0 "$(cat "$dir/pid")" 2>/dev/null
}

start_server() {
    [ -f "$dir/pid" ] && kill "$(cat "$dir/pid")" 2>/dev/null
    rm -f "$dir/request" "$dir/request.tmp" "$dir/status" "$dir/output" "$dir/asked"
    windows_dir="Z:$(echo "$dir" | tr / '\\')"
    setsid "$here/run-wine.sh" "$exe" "--serve=$windows_dir" </dev/null >"$dir/log" 2>&1 &
    echo $! >"$dir/pid"
}

exe=$1
shift
WINEPREFIX_WAS_SET=${WINEPREFIX:+yes}
# Outside a session the cases' prefix is the build tree's own (the session's
# is given it by CTest), so that listing the cases makes no other.
. "$here/wine-env.sh"
[ -n "$WINEPREFIX_WAS_SET" ] || WINEPREFIX=$(zavrik_prefix "$(cd "$(dirname "$exe")/.." && pwd)/wineprefix")
export WINEPREFIX
case "$*" in
    *--gtest_filter=*) ;;
    *) run_alone "$exe" "$@" ;;
esac
[ -n "${ZAVRIK_WINE_SESSION:-}" ] && [ -f "$ZAVRIK_WINE_SESSION/display" ] || run_alone "$exe" "$@"

dir="$ZAVRIK_WINE_SESSION/cases-$(basename "$(dirname "$(dirname "$exe")")")"
mkdir -p "$dir"
if ! server_alive || [ -e "$dir/asked" ]; then
    start_server
fi

: >"$dir/asked"
for arg in "$@"; do echo "$arg"; done >"$dir/request.tmp"
mv "$dir/request.tmp" "$dir/request"
while [ ! -f "$dir/status" ]; do
    if ! server_alive; then
        [ -f "$dir/status" ] && break
        cat "$dir/output" 2>/dev/null
        echo "run-wine-case.sh: the suite's Wine process ended during this case; its log:" >&2
        tail -20 "$dir/log" >&2
        rm -f "$dir/asked"
        exit 1
    fi
    sleep 0.02
done
cat "$dir/output"
status=$(cat "$dir/status")
rm -f "$dir/status" "$dir/output" "$dir/asked"
exit "${status:-1}"
