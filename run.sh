#!/usr/bin/env bash
# Installs what is missing, builds, and runs Sumwarden.
# With arguments it runs the command-line jobs (see sumwarden-cli --help);
# without arguments it starts the window.
# The installing and building say nothing unless they fail, so a run's standard error
# carries only the job's own messages.
set -euo pipefail
top=$(cd "$(dirname "$0")" && pwd)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! { "$top/scripts/install-deps.sh" && "$top/scripts/build.sh"; } >"$log" 2>&1; then
  cat "$log" >&2
  echo "run.sh: installing or building failed (see above)" >&2
  exit 1
fi
rm -f "$log"
trap - EXIT
build="${SUMWARDEN_BUILD_DIR:-$top/build}"
if [ $# -gt 0 ]; then
  exec "$build/bin/sumwarden-cli" "$@"
fi
if [ -x "$build/bin/sumwarden" ]; then
  exec "$build/bin/sumwarden"
fi
exec "$build/bin/sumwarden-cli" --help
