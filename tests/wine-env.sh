# The one place where the Wine environment of the builds and tests is set.
# Sourced (not run) by the scripts beside it, with $here set to this folder.
# A Wine session started by wine-session.sh (the CTest fixture) is found
# through ZAVRIK_WINE_SESSION, and its display and prefix replace any other.
export WINEPREFIX="${WINEPREFIX:-$here/../build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"
if [ -n "${ZAVRIK_WINE_SESSION:-}" ] && [ -f "$ZAVRIK_WINE_SESSION/display" ]; then
    DISPLAY=$(cat "$ZAVRIK_WINE_SESSION/display")
    export DISPLAY
fi
if [ -n "${ZAVRIK_WINE_SESSION:-}" ] && [ -f "$ZAVRIK_WINE_SESSION/prefix" ]; then
    WINEPREFIX=$(cat "$ZAVRIK_WINE_SESSION/prefix")
fi
