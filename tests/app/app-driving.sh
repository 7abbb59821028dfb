# shellcheck shell=bash
# Sourced by the scripts that drive the application on an X server as a person would: starting
# and ending it, finding, focusing and typing into its windows, and screenshots once a window has
# drawn itself. The script sets APP and ARTIFACTS before sourcing this; SCRATCH is removed when it
# ends, and a failure leaves the screen as FAILURE_SHOT (a name in ARTIFACTS).
# shellcheck source=../support/wait-until.sh
source "$(dirname "${BASH_SOURCE[0]}")/../support/wait-until.sh"
SCRATCH=$(mktemp -d)
LOG=$SCRATCH/app.log
app=''
trap '[ -z "$app" ] || kill "$app" 2>/dev/null || true; rm -rf "$SCRATCH"' EXIT
export XDG_DATA_HOME=$SCRATCH/data XDG_CONFIG_HOME=$SCRATCH/config
mkdir -p "$ARTIFACTS"
PATIENCE=30  # seconds for anything to happen: a loaded machine is slow
FAILURE_SHOT=${FAILURE_SHOT:-failure.png}

fail() {
    echo "FAIL: $*" >&2
    import -window root "$ARTIFACTS/$FAILURE_SHOT" || true
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
# settled_title WINDOW: the title once two looks half a second apart agree: keys typed a moment
# ago may still be on their way, and the title changes as each arrives.
last_title=''
title_settled() {
    local now
    now=$(xdotool getwindowname "$1" 2>/dev/null) || return 1
    [ "$now" = "$last_title" ] && return 0
    last_title=$now
    sleep 0.5
    return 1
}
settled_title() {
    last_title=''
    wait_until "$PATIENCE" title_settled "$1" || true
    echo "$last_title"
}
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
