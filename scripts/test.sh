#!/usr/bin/env bash
# Builds ZOVA ID Card with its tests and runs every test headless.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$ROOT/scripts/build.sh" tests
export QT_QPA_PLATFORM=offscreen
cd "$ROOT/build"
ctest -j "$(nproc)" --output-on-failure "$@"
