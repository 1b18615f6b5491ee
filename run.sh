#!/usr/bin/env bash
# Installs what is missing, builds, and runs Sumwarden.
# With arguments it runs the command-line jobs (see sumwarden-cli --help);
# without arguments it starts the window.
set -euo pipefail
top=$(cd "$(dirname "$0")" && pwd)
"$top/scripts/install-deps.sh" >&2
"$top/scripts/build.sh" >&2
build="${SUMWARDEN_BUILD_DIR:-$top/build}"
if [ $# -gt 0 ]; then
  exec "$build/bin/sumwarden-cli" "$@"
fi
if [ -x "$build/bin/sumwarden" ]; then
  exec "$build/bin/sumwarden"
fi
exec "$build/bin/sumwarden-cli" --help
