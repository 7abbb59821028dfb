#!/usr/bin/env bash
# Runs a command on an X server of its own:
#   with-display.sh [--wm] [--size WxH] COMMAND [ARGS...]
# The server picks a free display number itself (-displayfd), so that any number of these can
# run at once. --wm adds the openbox window manager, as people see the application. The command
# gets DISPLAY and XAUTHORITY; the exit status is the command's, or 125 when the display could
# not be started. The window manager and the server always end with this script.
set -uo pipefail
# shellcheck source=wait-until.sh
source "$(dirname "${BASH_SOURCE[0]}")/wait-until.sh"

NAME=with-display.sh
PATIENCE=30  # seconds for each start-up step
die() {
    echo "$NAME: $*" >&2
    exit 125
}
usage() { die "usage: $NAME [--wm] [--size WIDTHxHEIGHT] COMMAND [ARGS...]"; }

wm=false size=1280x800
while [ $# -gt 0 ]; do
    case $1 in
        --wm) wm=true; shift ;;
        --size) [ $# -ge 2 ] || usage; size=$2; shift 2 ;;
        --) shift; break ;;
        -*) usage ;;
        *) break ;;
    esac
done
[ $# -gt 0 ] || usage
[[ $size =~ ^[1-9][0-9]*x[1-9][0-9]*$ ]] || die "--size wants WIDTHxHEIGHT, not '$size'"
tools=(Xvfb xauth xdpyinfo)
! $wm || tools+=(openbox xprop)
for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null || die "$tool is missing (scripts/deps.sh installs it)"
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/with-display.XXXXXX") || die "no scratch folder"
server='' manager='' command_pid='' guard=''
# Ends a child and reaps it.
stop() {
    [ -n "$1" ] || return 0
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}
cleanup() {
    if [ -n "$guard" ]; then
        (echo stop >&"$guard") 2>/dev/null  # a SIGPIPE here must not cut the cleanup short
        exec {guard}>&-
    fi
    stop "$command_pid"
    stop "$manager"
    stop "$server"
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# A SIGKILL (a caller's timeout) skips the trap: this watcher ends what was started once the
# pipe closes without a "stop". The children never hold the pipe, so it closes with this script.
exec {guard}> >(
    exec >/dev/null 2>&1
    started=()
    while read -r line; do
        [ "$line" = stop ] && exit 0
        started+=("$line")
    done
    kill "${started[@]}"
    rm -rf "$scratch"
)
started() { echo "$1" >&"$guard"; }

# gave_up WHAT LOG: a start-up step failed; says which, with the program's output.
gave_up() {
    echo "$NAME: $1; its output:" >&2
    [ -s "$2" ] && sed 's/^/    /' "$2" >&2
    exit 125
}
# True once the process has ended or the condition holds: a dead program is not waited for.
ended_or() {
    ! kill -0 "$1" 2>/dev/null || "${@:2}" >/dev/null 2>&1
}
# await PID WHAT LOG CONDITION...: waits until the condition holds while the program runs.
await() {
    local pid=$1 what=$2 log=$3
    shift 3
    wait_until "$PATIENCE" ended_or "$pid" "$@"
    kill -0 "$pid" 2>/dev/null || gave_up "$what ended before it was ready" "$log"
    "$@" >/dev/null 2>&1 || gave_up "$what was not ready within $PATIENCE s" "$log"
}

# The server loads every cookie in its file whatever display the entry names; the entry for the
# real number follows once the server has told it.
export XAUTHORITY=$scratch/Xauthority
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
touch "$XAUTHORITY"
xauth -q -f "$XAUTHORITY" add :0 MIT-MAGIC-COOKIE-1 "$cookie" || die "xauth could not write a cookie"
mkfifo "$scratch/displayfd"
# No key repeats: on a loaded machine a key typed by xdotool may stay down past the repeat delay,
# and a repeated Undo would take back one edit too many.
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset -r -auth "$XAUTHORITY" \
    3>"$scratch/displayfd" >"$scratch/server.log" 2>&1 {guard}>&- &
server=$!
started "$server"
number=''
read -r -t "$PATIENCE" number <"$scratch/displayfd"
case $? in
    0) ;;
    1) gave_up "the X server (Xvfb) ended before it was ready" "$scratch/server.log" ;;
    *) gave_up "the X server (Xvfb) gave no display number within $PATIENCE s" "$scratch/server.log" ;;
esac
[[ $number =~ ^[0-9]+$ ]] || gave_up "the X server (Xvfb) gave '$number' for a display number" "$scratch/server.log"
export DISPLAY=:$number
xauth -q -f "$XAUTHORITY" add "$DISPLAY" MIT-MAGIC-COOKIE-1 "$cookie" || die "xauth could not write a cookie"
await "$server" "the X server (Xvfb) on $DISPLAY" "$scratch/server.log" xdpyinfo

manages_screen() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
if $wm; then
    # Debian's own settings, not those of whoever runs the tests.
    openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml >"$scratch/wm.log" 2>&1 {guard}>&- &
    manager=$!
    started "$manager"
    await "$manager" "the window manager (openbox) on $DISPLAY" "$scratch/wm.log" manages_screen
fi

# In the background so that a signal reaches the trap at once; stdin stays the caller's.
"$@" <&0 {guard}>&- &
command_pid=$!
started "$command_pid"
wait "$command_pid"
status=$?
command_pid=''
exit "$status"
