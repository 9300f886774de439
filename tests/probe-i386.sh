#!/bin/sh
# Tells whether this machine runs 32-bit x86 Linux programs, by building and
# starting a tiny one: some kernels lack the 32-bit emulation, and nothing
# short of trying tells them apart. Exits 0 when it runs; otherwise says why
# in one line and exits 1. ZAVRIK_NO_I386=1 answers as such a kernel would.
if [ "${ZAVRIK_NO_I386:-0}" = 1 ]; then
    echo "this kernel cannot run 32-bit programs (ZAVRIK_NO_I386=1)"
    exit 1
fi
dir=$(mktemp -d "${TMPDIR:-/tmp}/zavrik-probe.XXXXXX") || exit 1
trap 'rm -rf "$dir"' EXIT
echo 'int main(void) { return 0; }' >"$dir/probe.c"
if ! gcc -m32 -o "$dir/probe" "$dir/probe.c" >"$dir/log" 2>&1; then
    echo "no 32-bit C library to build with ($(tail -1 "$dir/log"))"
    exit 1
fi
if ! "$dir/probe" >/dev/null 2>&1; then
    echo "this kernel cannot run 32-bit programs"
    exit 1
fi
