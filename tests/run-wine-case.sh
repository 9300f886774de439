#!/bin/sh
# Runs the Windows test suite under Wine (tests/run-wine.sh) for CTest: the
# listing of its cases and each case.
#
# The suite prints its header before it runs anything, so a run that ends in
# failure having printed nothing at all never reached the suite: Wine itself
# did not start it (seen once in a CI run: a case failed after 0.01 s with no
# output, and passed in hundreds of runs since). That is no test result. It
# is said in one line with Wine's exit status and the run is made once more;
# a run that printed anything keeps its output and status as they are.
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp "${TMPDIR:-/tmp}/zavrik-case.XXXXXX") || exit 1
err=$out.err
trap 'rm -f "$out" "$err"' EXIT

attempt=1
while :; do
    "$here/run-wine.sh" "$@" >"$out" 2>"$err" </dev/null
    status=$?
    cat "$out"
    cat "$err" >&2
    if [ $status -eq 0 ] || [ -s "$out" ] || [ -s "$err" ]; then
        exit $status
    fi
    echo "run-wine-case.sh: Wine exited with status $status before the suite printed anything (attempt $attempt)" >&2
    [ $attempt -lt 2 ] || exit $status
    attempt=$((attempt + 1))
done
