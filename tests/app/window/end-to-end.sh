#!/usr/bin/env bash
# Starts the real program on a virtual X display, finds its window, checks the client
# size, clicks "Exit" with a real pointer click and waits for the program to end.
# Usage: end-to-end.sh /path/to/sumwarden   (runs itself under xvfb-run when needed)
set -euo pipefail
program=$1

if [ -z "${SUMWARDEN_E2E_INSIDE:-}" ]; then
  for tool in xvfb-run xdotool xwininfo; do
    command -v "$tool" >/dev/null || { echo "end-to-end: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
  done
  SUMWARDEN_E2E_INSIDE=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

fail() { echo "end-to-end: $*" >&2; exit 1; }

# The program decides its own density and platform.
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
log=$(mktemp)
trap 'rm -f "$log"; kill "$pid" 2>/dev/null || true' EXIT
"$program" >"$log" 2>&1 &
pid=$!

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Sumwarden$' | head -n 1) ||
  fail "no window titled Sumwarden appeared; program output: $(cat "$log")"

# The client area is the X window Qt created for the form.
size=$(xwininfo -id "$window" | awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w "x" h}')
[ "$size" = "507x339" ] || fail "client size is $size, expected 507x339"

# The middle of "Exit" (416, 304, 80 x 27 in client coordinates).
xdotool mousemove --window "$window" 456 317
xdotool click 1

for _ in $(seq 1 100); do
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" || fail "the program ended with status $?"
    echo "end-to-end: window found, 507x339, closed by Exit"
    exit 0
  fi
  sleep 0.1
done
fail "the program did not end after clicking Exit"
