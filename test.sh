#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
top=$(cd "$(dirname "$0")" && pwd)
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh"
build="${SUMWARDEN_BUILD_DIR:-$top/build}"
export QT_QPA_PLATFORM=offscreen QT_ENABLE_HIGHDPI_SCALING=0 QT_FONT_DPI=96
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" "$@"
