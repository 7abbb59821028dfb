#!/usr/bin/env bash
# Builds ZOVA ID Card with its tests and runs every test headless.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$ROOT/scripts/build.sh" tests
export QT_QPA_PLATFORM=offscreen
cd "$ROOT/build"
# A test that fails runs once more, so that one rare failure does not stop the run; its first
# output stays in the log to be looked into, as such a failure has been a real fault before.
ctest -j "$(nproc)" --output-on-failure --repeat until-pass:2 "$@"
