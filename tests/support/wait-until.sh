# shellcheck shell=bash
# Sourced by the display scripts: they wait for a condition rather than sleep a guessed time.

# wait_until SECONDS COMMAND [ARGS...]: runs the command every 0.1 s until it succeeds
# (status 0) or SECONDS have passed (status 1). A loaded machine is slow: be generous.
wait_until() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}
