#!/usr/bin/env bash
# Drives the application on an X server through its start chooser, as a person would:
#   1. Cancel (Escape) in the chooser ends the application with exit code 0;
#   2. "Open a saved design" with a design file shows it, named in the window title, in a window
#      the window manager maximised;
#   3. moves are marked as unsaved changes, and as many Undos take them all back;
#   4. with nothing changed, quitting asks only whether to quit, and the window's place is kept.
# Usage (under tests/support/with-display.sh --wm): first_use_check.sh APP DESIGN_PROBE ARTIFACT_DIR
set -euo pipefail
APP=$1 PROBE=$2 ARTIFACTS=$3
# shellcheck source=../support/wait-until.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/wait-until.sh"
PATIENCE=30  # seconds for anything to happen: a loaded machine is slow
SCRATCH=$(mktemp -d)
LOG=$SCRATCH/app.log
app=''
trap '[ -z "$app" ] || kill "$app" 2>/dev/null || true; rm -rf "$SCRATCH"' EXIT
export XDG_DATA_HOME=$SCRATCH/data XDG_CONFIG_HOME=$SCRATCH/config
mkdir -p "$ARTIFACTS"

fail() {
    echo "FAIL: $*" >&2
    import -window root "$ARTIFACTS/start-chooser-failure.png" || true
    if [ -n "$app" ] && kill -0 "$app" 2>/dev/null; then echo "(the application is still running)" >&2; fi
    cat "$LOG" >&2 || true
    exit 1
}

# --- The application.
start_app() {
    "$APP" >>"$LOG" 2>&1 &
    app=$!
}
app_ended() { ! kill -0 "$app" 2>/dev/null; }
# Waits for the application to end by itself and gives its exit status.
app_status() {
    wait_until "$PATIENCE" app_ended || fail "the application did not end"
    local status=0
    wait "$app" || status=$?
    app=''
    return "$status"
}
quit_app() {
    kill "$app"
    wait "$app" || true
    app=''
}

# --- Windows, as the window manager shows them.
find_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
window_shown() { [ -n "$(find_window "$1")" ]; }
# openbox sets this once it has put the window in a frame of its own.
framed() { xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='; }
# wait_window TITLE_PATTERN: the id of the first window whose title matches, once the window
# manager has framed it.
wait_window() {
    wait_until "$PATIENCE" window_shown "$1" || return 1
    local id
    id=$(find_window "$1")
    wait_until "$PATIENCE" framed "$id" || return 1
    echo "$id"
}
active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
# Asks the window manager for the window, as a click would, until it has the keyboard focus.
active_or_asked() {
    active "$1" && return
    xdotool windowactivate "$1" 2>/dev/null
    return 1
}
activate() {
    wait_until "$PATIENCE" active_or_asked "$1" || fail "the window \"$(xdotool getwindowname "$1")\" never got the focus"
}
# press WINDOW KEY...: keys typed into the window.
press() {
    activate "$1"
    xdotool key --delay 20 "${@:2}"
}
# type_into WINDOW TEXT
type_into() {
    activate "$1"
    xdotool type --delay 5 "$2"
}
titled() { [ "$(xdotool getwindowname "$1" 2>/dev/null)" = "$2" ]; }
# expect_title WINDOW TITLE: the title follows the design a moment after a command.
expect_title() {
    wait_until "$PATIENCE" titled "$1" "$2" || fail "the title is \"$(xdotool getwindowname "$1")\", not \"$2\""
}

# --- Screenshots, once the window has drawn itself: two looks in a row see the same picture.
last_look=''
drawn() {
    local look
    look=$(import -window "$1" png:- 2>/dev/null | identify -format '%k %#' - 2>/dev/null) || return 1
    [ "${look%% *}" -gt 16 ] || return 1  # an undrawn window has hardly any colours
    [ "$look" = "$last_look" ] && return 0
    last_look=$look
    return 1
}
# screenshot WINDOW NAME: the whole screen, as build/test-artifacts/.../NAME.png.
screenshot() {
    last_look=''
    wait_until "$PATIENCE" drawn "$1" || echo "note: $2 still changing; screenshot taken anyway" >&2
    import -window root "$ARTIFACTS/$2.png"
}

xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || fail "no window manager: run under with-display.sh --wm"

# 1. Cancel quits with exit code 0.
start_app
chooser=$(wait_window '^Start$') || fail "the start chooser did not appear"
screenshot "$chooser" start-chooser
press "$chooser" Escape
status=0
app_status || status=$?
[ "$status" -eq 0 ] || fail "cancelling the chooser ended with exit code $status"

# 2. Opening a saved design.
QT_QPA_PLATFORM=offscreen "$PROBE" sample "$SCRATCH/sample.did" || fail "design-probe could not write the sample"
start_app
chooser=$(wait_window '^Start$') || fail "the start chooser did not appear"
# The third choice: "Open a saved design".
press "$chooser" Tab Tab space
panel=$(wait_window '^Open Design$') || fail "no open panel"
type_into "$panel" "$SCRATCH/sample.did"
press "$panel" Return
main=$(wait_window 'sample\.did') || fail "the design's name never reached the window title"
TITLE="ZOVA ID Card ( Untitled - sample.did )"
expect_title "$main" "$TITLE"
xprop -id "$main" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_VERT || fail "the window manager did not maximise the window"
screenshot "$main" app-design-open

# 3. Select everything and move it three points right: three edits, three Undos.
press "$main" ctrl+a Right Right Right
expect_title "$main" "$TITLE*"
press "$main" ctrl+z ctrl+z
titled "$main" "$TITLE*" || fail "two Undos took back all three moves"
press "$main" ctrl+z
expect_title "$main" "$TITLE"
screenshot "$main" app-after-undo

# 4. Quitting asks "Do you really want to exit?", whose Yes is the default; a save question would
# keep the application running.
press "$main" ctrl+q
question=$(wait_window '^ZOVA ID Card$') || fail "quitting asked nothing"
press "$question" Return
status=0
app_status || status=$?
[ "$status" -eq 0 ] || fail "quitting ended with exit code $status"
[ -s "$XDG_CONFIG_HOME/ZOVA ID Card/window.ini" ] || fail "the window's size and place were not kept"
echo "first use checks passed"
