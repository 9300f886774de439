#!/bin/sh
# Runs a command with the Wine environment and the display of the current
# Wine session (see wine-env.sh); CTest runs the end-to-end scripts so.
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
exec "$@"
