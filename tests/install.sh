#!/bin/bash
# Installs what the builds and tests need, through apt-get, only when a tool
# is missing. Used by the Makefile; every package step rides out a mirror that
# is mid-sync, and the i386 architecture is added only for wine32.
#   install.sh deps      the amd64 tools (compilers, Wine, Xvfb, xdotool, ...)
#   install.sh qemu      prints the path of qemu-i386-static, for 32-bit programs
#                        this kernel cannot run
#   install.sh wine32    32-bit Wine; on failure prints apt's reason and exits 1
# ZAVRIK_WINE32_FAIL=1 makes the wine32 step fail as a broken mirror would, so
# that the paths after it can be seen on any machine.
set -u

# tool:package pairs; a package is installed only when its tool is missing.
TOOLS="cmake:cmake g++:g++ clang++:clang ccache:ccache
x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64 i686-w64-mingw32-g++-posix:g++-mingw-w64-i686
wine:wine /usr/lib/wine/wine64:wine64 Xvfb:xvfb Xephyr:xserver-xephyr xdotool:xdotool xclip:xclip
/usr/bin/python3:python3 /usr/src/googletest/CMakeLists.txt:googletest
/usr/lib/python3/dist-packages/pytest/__init__.py:python3-pytest
/usr/lib/python3/dist-packages/Xlib/display.py:python3-xlib /usr/lib/python3/dist-packages/PIL/Image.py:python3-pil
/usr/share/fonts/truetype/ancient-scripts/Symbola_hint.ttf:fonts-symbola
/usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a:libclang-rt-14-dev
/usr/lib/gcc/x86_64-linux-gnu/12/32/libstdc++.a:g++-multilib"

UPDATE_TRIES=${ZAVRIK_APT_TRIES:-3}
UPDATE_PAUSE=${ZAVRIK_APT_PAUSE:-10}
apt_log=$(mktemp "${TMPDIR:-/tmp}/zavrik-apt.XXXXXX")
trap 'rm -f "$apt_log"' EXIT

have() {
    case "$1" in
        /*) [ -e "$1" ] ;;
        *) command -v "$1" >/dev/null 2>&1 ;;
    esac
}

# apt's own reason for a failure: its first error line, without addresses.
apt_reason() {
    grep -E '^(E|Err):' "$apt_log" | head -1 | sed -E 's#[a-z]+://[^ ]*##g; s# *\[IP:[^]]*\]##' |
        tr -s ' ' | cut -c1-160
}

# A mirror mid-sync fails an index for a while: try again after a pause. When
# every try fails the lists that did arrive are still used, so an install that
# does not need the broken index goes ahead.
update_failure=""
apt_update() {
    local try
    update_failure=""
    for try in $(seq "$UPDATE_TRIES"); do
        apt-get update -qq >"$apt_log" 2>&1 && return 0
        update_failure=$(apt_reason)
        echo "apt-get update failed (try $try of $UPDATE_TRIES): $update_failure" >&2
        [ "$try" -lt "$UPDATE_TRIES" ] && sleep "$UPDATE_PAUSE"
    done
    return 1
}

# Installs after an update; the install goes ahead on whatever lists did
# arrive, since a broken index of one suite rarely concerns these packages.
install_packages() {
    apt_update
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@" >"$apt_log" 2>&1
}

deps() {
    local missing="" pair
    for pair in $TOOLS; do
        have "${pair%%:*}" || missing="$missing ${pair##*:}"
    done
    [ -n "$missing" ] || return 0
    echo "installing:$missing"
    # shellcheck disable=SC2086
    install_packages $missing && return 0
    echo "could not install$missing: $(apt_reason)" >&2
    return 1
}

# qemu-i386-static is taken out of Debian's package into a cache of ours
# rather than installed: the package's scripts may register it with the
# kernel for every 32-bit program of the machine, and that is not ours to do.
# Prints the emulator's path.
qemu() {
    if have qemu-i386-static; then command -v qemu-i386-static; return 0; fi
    local tools=${ZAVRIK_TOOLS:-${XDG_CACHE_HOME:-$HOME/.cache}/zavrik/tools}
    local emulator=$tools/usr/bin/qemu-i386-static
    if [ ! -x "$emulator" ]; then
        echo "fetching qemu-user-static (for 32-bit programs this kernel cannot run)" >&2
        mkdir -p "$tools/debs"
        (cd "$tools/debs" && apt-get download qemu-user-static >"$apt_log" 2>&1) \
            || { apt_update; (cd "$tools/debs" && apt-get download qemu-user-static >"$apt_log" 2>&1); } \
            || { echo "qemu-user-static could not be fetched: $(apt_reason)" >&2; return 1; }
        dpkg-deb -x "$tools"/debs/qemu-user-static_*.deb "$tools" && rm -rf "$tools/debs"
    fi
    [ -x "$emulator" ] || { echo "qemu-user-static holds no qemu-i386-static" >&2; return 1; }
    echo "$(cd "$(dirname "$emulator")" && pwd)/qemu-i386-static"
}

# The i386 architecture is added here alone and taken away again when the
# install fails, so that a broken i386 index never holds back anything else.
wine32() {
    [ -x /usr/lib/wine/wine ] && return 0
    echo "installing: wine32:i386"
    local added=""
    dpkg --print-foreign-architectures | grep -qx i386 || { dpkg --add-architecture i386 && added=1; }
    local package=wine32:i386
    # A version no mirror has: the same steps, and apt's own refusal at the
    # end, as when the i386 index and the amd64 libraries do not match.
    [ "${ZAVRIK_WINE32_FAIL:-0}" = 1 ] && package=wine32:i386=0+zavrik.forced.failure
    install_packages "$package" && [ -x /usr/lib/wine/wine ] && return 0
    local reason
    reason=$(apt_reason)
    [ -n "$added" ] && dpkg --remove-architecture i386 2>/dev/null
    echo "wine32:i386 could not be installed: ${reason:-apt-get failed}${update_failure:+ (apt-get update: $update_failure)}"
    return 1
}

case "${1:-}" in
    deps|qemu|wine32) "$1" ;;
    *) echo "usage: $0 deps|qemu|wine32" >&2; exit 2 ;;
esac
