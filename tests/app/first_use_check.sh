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
FAILURE_SHOT=start-chooser-failure.png
# shellcheck source=app-driving.sh
source "$(dirname "${BASH_SOURCE[0]}")/app-driving.sh"

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
[ "$(settled_title "$main")" = "$TITLE*" ] || fail "two Undos took back all three moves"
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
