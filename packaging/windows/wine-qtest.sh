#!/usr/bin/env bash
# Runs a Qt Test program of the Windows build under Wine and shows what it reports: under Wine
# Qt Test's own output does not reach the console, so it is written to a file first.
# usage: wine-qtest.sh PROGRAM.exe [ARGUMENTS...]
set -uo pipefail
log=$(mktemp --suffix=.txt)
trap 'rm -f "$log"' EXIT
"$(dirname "$0")/wine-run.sh" "$@" -o "$log,txt"
status=$?
cat "$log"
exit "$status"
