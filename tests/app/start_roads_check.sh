#!/usr/bin/env bash
# Drives the application's start roads on an X server, as a person would, and leaves a picture of
# each window and of each design it ends in:
#   T  "Design from a template": a template picked in the template window opens as the design;
#   W  "Design with the card wizard": the wizard's pages, then the card they describe;
#   G  "Group (batch) mode": a template, a workbook and a project name make a group project.
# Usage (under tests/support/with-display.sh --wm):
#   start_roads_check.sh APP WORKBOOK_PROBE ARTIFACT_DIR
set -euo pipefail
APP=$1 WORKBOOK_PROBE=$2 ARTIFACTS=$3
FAILURE_SHOT=start-roads-failure.png
# shellcheck source=app-driving.sh
source "$(dirname "${BASH_SOURCE[0]}")/app-driving.sh"

xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || fail "no window manager: run under with-display.sh --wm"

window_gone() { ! xdotool getwindowname "$1" >/dev/null 2>&1 || ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
closed() { wait_until "$PATIENCE" window_gone "$1"; }

# choose N: the chooser's N-th way of starting (1 = the first), as the arrow keys reach it.
choose() {
    local chooser
    chooser=$(wait_window '^Start$') || fail "the start chooser did not appear"
    local keys=()
    for ((i = 1; i < $1; i++)); do keys+=(Tab); done
    press "$chooser" "${keys[@]}" space
}

# T: the template window, its first template, OK.
start_app
choose 1
templates=$(wait_window '^Design from a Template$') || fail "no template window"
screenshot "$templates" road-t-template-window
press "$templates" Right
screenshot "$templates" road-t-template-chosen
press "$templates" Return
closed "$templates" || fail "the template window stayed open"
main=$(wait_window '^ZOVA ID Card \(') || fail "no main window"
expect_title "$main" "ZOVA ID Card ( Classic Blue )"
screenshot "$main" road-t-design
quit_app

# W: a name typed on the first page, the other pages as they come, Finish.
start_app
choose 2
wizard=$(wait_window '^New Card$') || fail "no card wizard"
press "$wizard" Tab
type_into "$wizard" "Front desk"
for page in 1-sides 2-size 3-border 4-fill; do
    screenshot "$wizard" "road-w-page-$page"
    press "$wizard" Return
done
closed "$wizard" || fail "the card wizard stayed open"
main=$(wait_window '^ZOVA ID Card \(') || fail "no main window"
expect_title "$main" "ZOVA ID Card ( Front desk )"
screenshot "$main" road-w-design
quit_app

# G: a template, a workbook through the file panel, a project name, OK.
printf 'Name\tBadge\nCleo Stone\tB-101\nDan Reyes\tB-102\n' | QT_QPA_PLATFORM=offscreen "$WORKBOOK_PROBE" write "$SCRATCH/team.xlsx" ||
    fail "workbook-probe could not write the workbook"
start_app
choose 5
group=$(wait_window '^Group Mode Project$') || fail "no group-mode wizard"
press "$group" Right Tab Tab space
panel=$(wait_window '^Choose Workbook$') || fail "no workbook panel"
type_into "$panel" "$SCRATCH/team.xlsx"
press "$panel" Return
closed "$panel" || fail "the workbook panel stayed open"
press "$group" Tab Tab
type_into "$group" "Spring intake"
screenshot "$group" road-g-wizard
press "$group" Return
closed "$group" || fail "the group-mode wizard stayed open"
main=$(wait_window '^ZOVA ID Card \(') || fail "no main window"
screenshot "$main" road-g-design
[ -s "$XDG_DATA_HOME"/*/Group_Excel_Data/"Spring intake.did" ] || fail "no group project file"
quit_app
echo "start road checks passed"
