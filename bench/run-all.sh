#!/usr/bin/env bash
# Builds everything with scripts/build.sh and runs every benchmark once, then repeats every ratio
# line ("ratio NAME ours/peer = X (...") and every budget verdict as a summary. A benchmark that
# fails is named at the end and makes the exit status non-zero; the others still run.
#   bench/run-all.sh
#   BENCH_BUILD_DIR=DIR bench/run-all.sh   benchmarks of another build folder (built there first)
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

if [ -n "${BENCH_BUILD_DIR:-}" ]; then
    BUILD_DIR=$BENCH_BUILD_DIR
    cmake --build "$BUILD_DIR" -j "$(nproc)" || exit 1
else
    BUILD_DIR=$ROOT/build
    bash "$ROOT/scripts/build.sh" tests || exit 1
fi

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
output=$(mktemp)
trap 'rm -f "$output"' EXIT
failed=()
for bench in "$BUILD_DIR"/bin/bench_*; do
    [ -x "$bench" ] || continue
    name=$(basename "$bench")
    echo "=== $name"
    # Only standard output is kept for the summary; error output goes straight to the terminal.
    if ! "$bench" | tee -a "$output"; then
        failed+=("$name")
    fi
    echo
done

echo "=== Ratios (ours/peer, medians)"
grep "^ratio " "$output"
echo
echo "=== Budgets"
grep "^budget " "$output"
if [ ${#failed[@]} -gt 0 ]; then
    echo
    echo "failed: ${failed[*]}"
    exit 1
fi
