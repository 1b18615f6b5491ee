#!/usr/bin/env bash
# A DISPLAY that names no running server: the program says so in its one line and exits
# with status 1, instead of the platform plug-in's abort.
set -u
program=$1
stderr=$(mktemp)
trap 'rm -f "$stderr"' EXIT
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:917 XAUTHORITY=/nonexistent \
  timeout 30 "$program" 2>"$stderr" </dev/null
status=$?
expected="sumwarden: no display available; use sumwarden-cli for the command-line jobs (sumwarden-cli --help)"
if [ "$status" -ne 1 ]; then
  echo "expected exit status 1, got $status"; cat "$stderr"; exit 1
fi
if [ "$(cat "$stderr")" != "$expected" ]; then
  echo "standard error is not exactly the no-display line:"; cat "$stderr"; exit 1
fi
echo "1 passed, 0 failed"
