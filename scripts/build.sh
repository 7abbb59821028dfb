#!/usr/bin/env bash
# Installs the Debian packages, configures and builds into build/ (executables in build/bin/).
#   scripts/build.sh          the application and its resources only
#   scripts/build.sh tests    everything: the application, the tests and the benchmarks
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SET=${1:-run}
bash "$ROOT/scripts/deps.sh" "$SET"

export CCACHE_BASEDIR="$ROOT"
export CCACHE_SLOPPINESS="pch_defines,time_macros,include_file_mtime,include_file_ctime"
export CCACHE_NOHASHDIR=1
BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}
WITH_TESTS=OFF
[ "$SET" = tests ] && WITH_TESTS=ON

cmake -S "$ROOT" -B "$ROOT/build" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" \
  -DZOVA_TESTS="$WITH_TESTS" -DZOVA_BENCHMARKS="$WITH_TESTS" >/dev/null
cmake --build "$ROOT/build" -j "$(nproc)"
