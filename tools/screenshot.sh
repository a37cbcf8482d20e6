#!/usr/bin/env bash
# Takes the README's screenshot: starts the built program on a private X server (Xvfb), types the
# counts of a play (the typical play unless eight counts are given), tabs to Calculate and presses
# it with Space, and saves the window's client area as a PNG.
#
#   tools/screenshot.sh [build-dir] [output.png] [scale] [MARVELOUS PERFECT ... MAX_OK]
#
# Defaults: build/default, docs/screenshot.png, scale 1. Scale 2 gives docs/screenshot@2x.png
# its size (QT_SCALE_FACTOR=2). A Windows build (build/windows) runs under Wine. The web page's
# check compares its window with such screenshots.
# Needs xvfb, xauth, xdotool and ImageMagick's import.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build/default}
output=${2:-$here/docs/screenshot.png}
scale=${3:-1}
shift $(($# < 3 ? $# : 3))
counts=("$@")
((${#counts[@]} > 0)) || counts=(90 0 10 0 0 0 3 4)
((${#counts[@]} == 8)) || { echo "give eight counts, or none" >&2; exit 2; }
program=$build/bin/tallyfen
[[ -f $program.exe ]] && program=$program.exe

[[ -x $program ]] || { echo "no program at $program: build it first" >&2; exit 1; }
for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null || { echo "missing $tool (see tools/debian-packages.txt)" >&2; exit 1; }
done

# Runs inside the X server: no window manager, so the window is its bare client area.
capture() {
    local program=$1 output=$2 scale=$3
    shift 3
    local run=()
    [[ $program == *.exe ]] && run=("$here/packaging/windows/wine-run.sh")
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "${run[@]}" "$program" &
    program_pid=$!
    trap 'kill "$program_pid" 2>/dev/null || true' EXIT
    local window
    window=$(xdotool search --sync --onlyvisible --name '^Tallyfen$' | head -n 1)
    xdotool windowfocus --sync "$window"

    # Tab selects the text of the box it enters, so typing replaces the 0.
    xdotool key --window "$window" ctrl+a
    xdotool type --window "$window" --delay 20 "$1"
    shift
    local box
    for box in "$@"; do
        xdotool key --window "$window" Tab
        xdotool type --window "$window" --delay 20 "$box"
    done
    xdotool key --window "$window" Tab space
    # The program has no way to say it has drawn; give it a moment to paint.
    sleep 1
    import -window "$window" "$output"
}
if [[ ${TALLYFEN_SCREENSHOT_INSIDE:-} == 1 ]]; then
    capture "$program" "$output" "$scale" "${counts[@]}"
    exit
fi
TALLYFEN_SCREENSHOT_INSIDE=1 xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" \
    "$0" "$build" "$output" "$scale" "${counts[@]}"
echo "saved $output"
