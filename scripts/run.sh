#!/usr/bin/env bash
# Builds ZOVA ID Card and starts it.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bash "$ROOT/scripts/build.sh"
exec "$ROOT/build/bin/zova-idcard" "$@"
