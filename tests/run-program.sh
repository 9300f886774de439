#!/bin/sh
# `make run`: starts the 32-bit release exe where 32-bit Wine works here, and
# the 64-bit exe otherwise, saying which and why in one line. On the user's
# display when DISPLAY is set; otherwise on a virtual display, saving a
# screenshot. ZAVRIK_NO_I386=1 and ZAVRIK_WINE32_FAIL=1 as for make test.
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/.." || exit 1
# As make test does: the wine32 install is tried where the kernel runs 32-bit
# programs, and always with ZAVRIK_WINE32_FAIL=1, whose failure it shows.
kernel=$(tests/probe-i386.sh); runs=$?
why=$kernel
if [ $runs -eq 0 ] || [ "${ZAVRIK_WINE32_FAIL:-0}" = 1 ]; then
    installed=$(tests/install.sh wine32) || why=$(echo "$installed" | tail -1)
fi
if [ $runs -eq 0 ] && [ -x /usr/lib/wine/wine ] && [ "${ZAVRIK_WINE32_FAIL:-0}" != 1 ]; then
    preset=win32
    why="the 32-bit release, which this machine's Wine runs"
else
    preset=win64
    why="the 64-bit build, since the 32-bit release cannot run here: $why"
fi
cmake --preset $preset --log-level=WARNING >/dev/null && \
    cmake --build --preset $preset -j"$(nproc)" --target zavrik >/dev/null || exit 1
exe=build/$preset/zavrik.exe
echo "make run: starting $exe, $why"
if [ -n "${DISPLAY:-}" ]; then
    tests/ensure-wineprefix.sh && exec tests/run-wine.sh "$exe"
fi
tests/with-display.sh /usr/bin/python3 tests/e2e/screenshot.py "$exe" build/screenshot.png || exit 1
echo "make run: screenshot saved to build/screenshot.png"
