#!/bin/sh
# Says in one line, and fails, when this machine's Wine cannot start the
# given 32-bit program, instead of leaving every test to hang or to fail
# with pages of Wine output.
here=$(cd "$(dirname "$0")" && pwd)
if ! timeout 240 "$here/run-wine-case.sh" "$1" --gtest_list_tests >/dev/null 2>&1; then
    echo "make test: Wine cannot run 32-bit programs on this machine (is wine32:i386 installed, and was the prefix made after it?)"
    exit 1
fi
