#!/usr/bin/env bash
# Installs the Debian packages, configures and builds everything into build/ (executables in build/bin/).
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$ROOT/scripts/deps.sh"

export CCACHE_BASEDIR="$ROOT"
export CCACHE_SLOPPINESS="pch_defines,time_macros,include_file_mtime,include_file_ctime"
export CCACHE_NOHASHDIR=1
BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo}

cmake -S "$ROOT" -B "$ROOT/build" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE" >/dev/null
cmake --build "$ROOT/build" -j "$(nproc)"
