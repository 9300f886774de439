# The one place where the Wine environment of the builds and tests is set.
# Sourced (not run) by the scripts beside it, with $here set to this folder.
# A Wine session started by wine-session.sh (the CTest fixture) is found
# through ZAVRIK_WINE_SESSION, and its display and prefix replace any other.
#
# ZAVRIK_WINE=10 runs everything under Debian 13's Wine 10 from the chroot
# that wine10.sh makes, instead of this machine's Wine. The two never share
# a prefix (a prefix one Wine has used is upgraded or refused by the other)
# nor a session, so both can run side by side in one build tree.
if [ "${ZAVRIK_WINE:-}" = 10 ]; then
    zavrik_wine_suffix=-wine10
else
    zavrik_wine_suffix=
fi

# The prefix that belongs to the chosen Wine, for a prefix path of Wine 8's.
zavrik_prefix() {
    echo "$1$zavrik_wine_suffix"
}

export WINEPREFIX="${WINEPREFIX:-$(zavrik_prefix "$here/../build/wineprefix")}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"
if [ -n "${ZAVRIK_WINE_SESSION:-}" ] && [ -n "$zavrik_wine_suffix" ]; then
    case "$ZAVRIK_WINE_SESSION" in
        */wine10) ;;
        *) ZAVRIK_WINE_SESSION=$ZAVRIK_WINE_SESSION/wine10 ;;
    esac
    export ZAVRIK_WINE_SESSION
fi
if [ -n "${ZAVRIK_WINE_SESSION:-}" ] && [ -f "$ZAVRIK_WINE_SESSION/display" ]; then
    DISPLAY=$(cat "$ZAVRIK_WINE_SESSION/display")
    export DISPLAY
fi
if [ -n "${ZAVRIK_WINE_SESSION:-}" ] && [ -f "$ZAVRIK_WINE_SESSION/prefix" ]; then
    WINEPREFIX=$(cat "$ZAVRIK_WINE_SESSION/prefix")
fi

# Runs a program of the chosen Wine by its path in /usr/lib/wine (wine64, the
# 32-bit loader wine where there is one, wineserver); Wine 10's inside the
# chroot, where the same paths hold. Execs: the caller holds Wine's own
# process.
#
# This machine's Wine (8) runs without address randomisation. Its 64-bit
# loader sits at a fixed address, below the megabyte at 0x7ff00000 that Wine
# must have free for the shared user data, and has no preloader to reserve
# it. Kernels that start the heap anywhere in the gigabyte above the loader
# put it there in about one start of a thousand, and that process ends at
# once with status 1 ("failed to map the shared user data"), a background
# process of a session as much as a program under test. Unrandomised, the
# heap starts right after the loader, clear of it.
zavrik_exec() {
    [ -z "$zavrik_wine_suffix" ] || exec "$here/wine10.sh" exec "$@"
    exec setarch "$(uname -m)" -R "$@"
}
zavrik_wine64() {
    (zavrik_exec /usr/lib/wine/wine64 "$@")
}
zavrik_wineserver() {
    (zavrik_exec /usr/lib/wine/wineserver "$@")
}
zavrik_has_wine32() {
    if [ -n "$zavrik_wine_suffix" ]; then
        "$here/wine10.sh" has32
    else
        [ -x /usr/lib/wine/wine ]
    fi
}
