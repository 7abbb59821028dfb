#!/usr/bin/env bash
# Checks with-display.sh: servers started at once get displays of their own, the size and the
# window manager asked for, the command's exit status comes back, and nothing stays running,
# not even when the helper itself is killed.
set -euo pipefail
HERE=$(dirname "${BASH_SOURCE[0]}")
HELPER=$HERE/with-display.sh
# shellcheck source=wait-until.sh
source "$HERE/wait-until.sh"
SCRATCH=$(mktemp -d)
declare -A helper_of
# A failed check ends the helpers it still holds.
trap 'kill "${helper_of[@]}" 2>/dev/null || true; rm -rf "$SCRATCH"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Run under the helper: writes what the command sees of its server to the file $1.
describe_server() {
    {
        echo "display=$DISPLAY"
        xdpyinfo | sed -n 's/^ *dimensions: *\([0-9x]*\) pixels.*/size=\1/p'
        if xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; then echo wm=yes; else echo wm=no; fi
        # The helper's children.
        echo "server=$(pgrep -P "$PPID" -x Xvfb)"
        echo "manager=$(pgrep -P "$PPID" -x openbox)"
        echo "command=$$"
    } >"$1.part"
    mv "$1.part" "$1"
}
export -f describe_server

# hold NAME [OPTIONS]: a helper in the background whose command describes its server into
# $SCRATCH/NAME, then keeps it up until release NAME.
hold() {
    local name=$1
    shift
    mkfifo "$SCRATCH/$name.go"
    bash "$HELPER" "$@" bash -c 'describe_server "$1" && read -r _ <"$2"' _ "$SCRATCH/$name" "$SCRATCH/$name.go" &
    helper_of[$name]=$!
}
# A zombie (ended, not yet reaped by whoever inherited it) counts as ended.
running() {
    local state
    state=$(ps -o stat= -p "$1") && [[ $state != Z* ]]
}
described_or_ended() { [ -s "$SCRATCH/$1" ] || ! running "${helper_of[$1]}"; }
described() {
    wait_until 60 described_or_ended "$1"
    [ -s "$SCRATCH/$1" ] || fail "the helper ($1) ended before its command ran"
}
release() { echo go >"$SCRATCH/$1.go"; }
value() { sed -n "s/^$2=//p" "$SCRATCH/$1"; }
started() { echo "$(value "$1" server) $(value "$1" manager) $(value "$1" command)"; }
none_running() {
    local pid
    for pid in $1; do ! running "$pid" || return 1; done
}
ended() {
    wait_until 30 none_running "$(started "$1")" && return
    local pids
    read -ra pids <<<"$(started "$1")"
    kill "${pids[@]}" 2>/dev/null
    fail "$1 left running: $(started "$1")"
}
# finish NAME: the held helper's exit status; it is not killed again.
finish() {
    local status=0
    wait "${helper_of[$1]}" || status=$?
    unset "helper_of[$1]"
    return "$status"
}

# 1. Two at once: displays of their own, each with what was asked for, both up together.
hold plain
hold managed --wm --size 1024x768
described plain
described managed
[ "$(value plain display)" != "$(value managed display)" ] || fail "both helpers got $(value plain display)"
[ "$(value plain size)/$(value plain wm)" = 1280x800/no ] || fail "plain server: $(cat "$SCRATCH/plain")"
[ "$(value managed size)/$(value managed wm)" = 1024x768/yes ] || fail "managed server: $(cat "$SCRATCH/managed")"
[ -n "$(value plain server)" ] && [ -z "$(value plain manager)" ] || fail "plain helper's children: $(cat "$SCRATCH/plain")"
[ -n "$(value managed server)" ] && [ -n "$(value managed manager)" ] || fail "managed helper's children: $(cat "$SCRATCH/managed")"
release plain
release managed
finish plain || fail "the plain helper ended with $?"
finish managed || fail "the managed helper ended with $?"
ended plain
ended managed

# 2. A failing command: its status comes back and the server ends all the same.
status=0
bash "$HELPER" --wm bash -c 'describe_server "$1"; exit 7' _ "$SCRATCH/failing" || status=$?
[ "$status" -eq 7 ] || fail "a command ending with 7 gave $status"
ended failing

# 3. The helper killed outright (a caller's timeout): the server, manager and command end too.
hold killed --wm
described killed
kill -KILL "${helper_of[killed]}"
finish killed 2>/dev/null || true
ended killed

# 4. A server that cannot start: a clear message and status 125, no waiting for it.
mkdir "$SCRATCH/bin"
printf '#!/bin/sh\necho "no screens found" >&2\nexit 1\n' >"$SCRATCH/bin/Xvfb"
chmod +x "$SCRATCH/bin/Xvfb"
status=0
PATH=$SCRATCH/bin:$PATH bash "$HELPER" true 2>"$SCRATCH/start.err" || status=$?
[ "$status" -eq 125 ] || fail "a server that cannot start gave status $status"
grep -q 'X server (Xvfb) ended before it was ready' "$SCRATCH/start.err" && grep -q 'no screens found' "$SCRATCH/start.err" ||
    fail "unclear message: $(cat "$SCRATCH/start.err")"
# 5. A key held down is one key press, however long it stays down (longer than any repeat delay).
count_held_presses() {
    xev -root -event keyboard >"$1.events" &
    local watcher=$!
    # Keys reach xev once it watches; a first one tells it does.
    typed_and_seen() { xdotool key "$1" && grep -q "$2" "$3"; }
    wait_until 30 typed_and_seen shift Shift_L "$1.events" || return 1
    xdotool keydown z
    sleep 2
    xdotool keyup z
    wait_until 30 typed_and_seen Escape Escape "$1.events" || return 1
    kill "$watcher"
    awk '/^KeyPress/ { press = 1; next } press && /keysym 0x7a, z\)/ { ++count } /^$/ { press = 0 }
         END { print count + 0 }' "$1.events" >"$1"
}
export -f count_held_presses wait_until
bash "$HELPER" bash -c 'count_held_presses "$1"' _ "$SCRATCH/presses" || fail "no key reached xev"
[ "$(cat "$SCRATCH/presses")" = 1 ] || fail "a key held down for two seconds was pressed $(cat "$SCRATCH/presses") times"
echo "with-display checks passed"
