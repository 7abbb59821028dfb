#!/usr/bin/env bash
# Drives the application on an X server through its start chooser, as a person would:
#   1. Cancel (Escape) in the chooser ends the application with exit code 0;
#   2. "Open a saved design" with a design file shows it, named in the window title.
# Usage (under xvfb-run): start_chooser_check.sh APP DESIGN_PROBE ARTIFACT_DIR
set -euo pipefail
APP=$1 PROBE=$2 ARTIFACTS=$3
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
export XDG_DATA_HOME=$SCRATCH/data
mkdir -p "$ARTIFACTS"

LOG=$SCRATCH/app.log
fail() {
    echo "FAIL: $*" >&2
    import -window root "$ARTIFACTS/start-chooser-failure.png" || true
    kill -0 "${pid:-0}" 2>/dev/null && echo "(the application is still running)" >&2
    cat "$LOG" >&2 || true
    exit 1
}

# The id of the first window whose title matches, waiting up to 30 s (a loaded machine is slow).
wait_window() {
    for _ in $(seq 300); do
        local id
        id=$(xdotool search --name "$1" 2>/dev/null | head -1 || true)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.1
    done
    return 1
}

# 1. Cancel quits with exit code 0.
"$APP" >>"$LOG" 2>&1 & pid=$!
chooser=$(wait_window '^Start$') || fail "the start chooser did not appear"
sleep 0.3
import -window root "$ARTIFACTS/start-chooser.png"
xdotool windowfocus --sync "$chooser" key Escape
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "cancelling the chooser ended with exit code $status"

# 2. Opening a saved design.
QT_QPA_PLATFORM=offscreen "$PROBE" sample "$SCRATCH/sample.did" || fail "design-probe could not write the sample"
"$APP" >>"$LOG" 2>&1 & pid=$!
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$SCRATCH"' EXIT
chooser=$(wait_window '^Start$') || fail "the start chooser did not appear"
sleep 0.3
# The third choice: "Open a saved design".
xdotool windowfocus --sync "$chooser" key Tab Tab space
panel=$(wait_window '^Open Design$') || fail "no open panel"
sleep 0.5
xdotool windowfocus --sync "$panel" type --delay 5 "$SCRATCH/sample.did"
xdotool key Return
main=$(wait_window 'sample\.did') || fail "the design's name never reached the window title"
sleep 0.5
title=$(xdotool getwindowname "$main")
[ "$title" = "ZOVA ID Card ( Untitled - sample.did )" ] || fail "unexpected title: $title"
import -window root "$ARTIFACTS/app-design-open.png"
kill "$pid"
echo "start chooser checks passed"
