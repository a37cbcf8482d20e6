#!/usr/bin/env bash
# Runs a program of the Windows build under Wine: CTest's emulator for the tests, and the
# command of `make windows` that looks at the window. Wine keeps its prefix in the cache beside
# the cross-built Qt, made once; it shows no dialogs; without a display it gets a virtual one.
set -euo pipefail
export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/tallyfen/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
if [[ -z ${DISPLAY:-} ]]; then
    exec xvfb-run -a -s '-screen 0 1024x768x24' "$0" "$@"
fi
mkdir -p "$(dirname "$WINEPREFIX")"
# Tests run side by side: the first makes the prefix, the others wait for it.
flock "$WINEPREFIX.lock" sh -c '[ -f "$WINEPREFIX/system.reg" ] || wineboot --init >/dev/null 2>&1'
exec wine "$@"
