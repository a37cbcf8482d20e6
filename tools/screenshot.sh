#!/usr/bin/env bash
# Takes the README's screenshot: starts the built program on a private X server (Xvfb), types the
# counts of a typical play, presses Calculate and saves the window's client area as a PNG.
#
#   tools/screenshot.sh [build-dir] [output.png] [scale]
#
# Defaults: build/default, docs/screenshot.png, scale 1. Scale 2 gives docs/screenshot@2x.png
# its size (QT_SCALE_FACTOR=2). A Windows build (build/windows) runs under Wine.
# Needs xvfb, xauth, xdotool and ImageMagick's import.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build/default}
output=${2:-$here/docs/screenshot.png}
scale=${3:-1}
program=$build/bin/tallyfen
[[ -f $program.exe ]] && program=$program.exe

[[ -x $program ]] || { echo "no program at $program: build it first" >&2; exit 1; }
for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null || { echo "missing $tool (see tools/debian-packages.txt)" >&2; exit 1; }
done

# Runs inside the X server: no window manager, so the window is its bare client area.
capture() {
    local program=$1 output=$2 scale=$3
    local run=()
    [[ $program == *.exe ]] && run=("$here/packaging/windows/wine-run.sh")
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale "${run[@]}" "$program" &
    program_pid=$!
    trap 'kill "$program_pid" 2>/dev/null || true' EXIT
    local window
    window=$(xdotool search --sync --onlyvisible --name '^Tallyfen$' | head -n 1)
    xdotool windowfocus --sync "$window"

    # Marvelous 90, Perfect 0, Great 10, Good 0, Boo 0, Miss 0, OK 3, Max OK 4. Tab selects the
    # text of the box it enters, so typing replaces the 0.
    xdotool key --window "$window" ctrl+a
    xdotool type --window "$window" --delay 20 90
    local box
    for box in 0 10 0 0 0 3 4; do
        xdotool key --window "$window" Tab
        xdotool type --window "$window" --delay 20 "$box"
    done
    xdotool key --window "$window" Tab space
    # The program has no way to say it has drawn; give it a moment to paint.
    sleep 1
    import -window "$window" "$output"
}
if [[ ${TALLYFEN_SCREENSHOT_INSIDE:-} == 1 ]]; then
    capture "$program" "$output" "$scale"
    exit
fi
TALLYFEN_SCREENSHOT_INSIDE=1 xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24" \
    "$0" "$build" "$output" "$scale"
echo "saved $output"
