#!/usr/bin/env bash
# Runs the program on a desktop of its own: an X server (Xvfb) on a free display, a private D-Bus
# session bus, the accessibility bus and its registry (AT-SPI), then lets a screen-reader script
# use the program through that bus. Nothing is shared with the desktop the test is started from.
#
#   run-on-private-desktop.sh PROGRAM AT_SPI_BUS_LAUNCHER PYTHON READER_SCRIPT
#
# Every process started here stays in this script's process group, which is ended on exit.
set -euo pipefail

if [[ $# -ne 4 ]]; then
    echo "usage: $0 PROGRAM AT_SPI_BUS_LAUNCHER PYTHON READER_SCRIPT" >&2
    exit 2
fi

# Own process group, so the exit trap can end everything this run started and nothing else.
read -r own_stat </proc/$$/stat
read -r _ _ own_group _ <<<"${own_stat##*) }"
if [[ $own_group != "$$" ]]; then
    exec setsid --wait "$0" "$@"
fi

program=$1
bus_launcher=$2
python=$3
reader=$4
startup_seconds=15
shutdown_seconds=5

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for tool in Xvfb dbus-daemon dbus-send setsid; do
    command -v "$tool" >/dev/null || fail "$tool is missing (see tools/debian-packages.txt)"
done
[[ -x $program ]] || fail "no program at $program: build the tallyfen target first"
[[ -x $bus_launcher ]] || fail "no AT-SPI bus launcher at $bus_launcher (package at-spi2-core)"
"$python" -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' ||
    fail "$python cannot load Atspi (packages python3-pyatspi, gir1.2-atspi-2.0)"

work=$(mktemp -d)
logs=$work/logs
mkdir -m 700 "$work/runtime" "$logs"

# The state letter of a process (R, S, Z, ...), or nothing once it is gone; read from /proc so no
# extra process is started.
process_state() {
    local fields
    read -r fields 2>/dev/null <"/proc/$1/stat" || return 0
    fields=${fields##*) }
    echo "${fields%% *}"
}

# Live processes of this group other than this shell and the subshell asking.
group_members() {
    local stat pid fields state pgid
    for stat in /proc/[0-9]*/stat; do
        read -r fields 2>/dev/null <"$stat" || continue
        fields=${fields##*) }
        read -r state _ pgid _ <<<"$fields"
        pid=${stat#/proc/}
        pid=${pid%/stat}
        [[ $pgid == "$$" && $state != Z && $pid != "$$" && $pid != "$BASHPID" ]] && echo "$pid"
    done
    return 0
}

# Waits until the command succeeds, or fails the run once the deadline has passed.
wait_until() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        ((SECONDS < deadline)) || fail "$what did not happen within $seconds s"
        sleep 0.05
    done
}

show_logs() {
    local log
    for log in "$logs"/*; do
        [[ -s $log ]] || continue
        echo "--- ${log##*/}" >&2
        cat "$log" >&2
    done
}

end_everything() {
    local status=$?
    trap - EXIT
    # Nothing may stop the clean-up: not the TERM sent to the group, nor a reader gone from stderr.
    set +e
    trap '' TERM PIPE
    kill -TERM -- -$$ 2>/dev/null || true
    local deadline=$((SECONDS + shutdown_seconds)) stray pid
    while mapfile -t stray < <(group_members) && ((${#stray[@]} > 0 && SECONDS < deadline)); do
        sleep 0.05
    done
    if ((${#stray[@]} > 0)); then
        echo "FAIL: processes still running at the end of the run, killed:" >&2
        for pid in "${stray[@]}"; do
            echo "  $pid $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)" >&2
        done
        kill -KILL "${stray[@]}" 2>/dev/null || true
        status=1
    fi
    wait 2>/dev/null || true
    ((status == 0)) || show_logs
    rm -rf "$work"
    exit "$status"
}
trap end_everything EXIT
trap 'exit 130' INT HUP
trap 'exit 143' TERM

export XDG_RUNTIME_DIR=$work/runtime
export GSETTINGS_BACKEND=memory
export LC_ALL=C.UTF-8
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS DISPLAY WAYLAND_DISPLAY

# Xvfb picks a free display itself and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$logs/xvfb" 2>&1 &
wait_until "$startup_seconds" "Xvfb starting" test -s "$work/display"
DISPLAY=:$(head -n 1 "$work/display")
export DISPLAY

dbus-daemon --session --nofork --address="unix:dir=$work" --print-address=3 \
    3>"$work/session-bus" >"$logs/session-bus" 2>&1 &
wait_until "$startup_seconds" "the session bus starting" test -s "$work/session-bus"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/session-bus")
export DBUS_SESSION_BUS_ADDRESS

session_bus_has() {
    dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q true
}
"$bus_launcher" --launch-immediately >"$logs/at-spi-bus-launcher" 2>&1 &
wait_until "$startup_seconds" "the accessibility bus starting" session_bus_has org.a11y.Bus

QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    "$program" >"$logs/program" 2>&1 &
program_pid=$!

"$python" "$reader" --pid "$program_pid" --startup-seconds "$startup_seconds"

# The reader left the program running; end it and check it goes.
kill -TERM "$program_pid"
program_gone() { [[ $(process_state "$program_pid") =~ ^(Z|)$ ]]; }
wait_until "$shutdown_seconds" "the program ending" program_gone
wait "$program_pid" || true
echo "PASS: the program ended; ending its desktop"
