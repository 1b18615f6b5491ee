#!/usr/bin/env bash
# Configures (once) and builds Sumwarden into ./build.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="${SUMWARDEN_BUILD_DIR:-$top/build}"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --parallel "$(nproc)"
