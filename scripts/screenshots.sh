#!/usr/bin/env bash
# Takes the README's pictures of the window: the real program in each of its five looks
# on a virtual X display, saved as docs/window-LOOK.png.
# Usage: scripts/screenshots.sh [BUILD_DIR]   (runs itself under xvfb-run when needed)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)

if [ -z "${SUMWARDEN_SHOTS_INSIDE:-}" ]; then
  for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null || { echo "screenshots: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
  done
  SUMWARDEN_SHOTS_INSIDE=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build"
fi

unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
mkdir -p "$top/docs"
for look in MacOS WinXP DeepBlue Protein BlueGlass; do
  "$build/bin/sumwarden" --look "$look" >/dev/null 2>&1 &
  pid=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Sumwarden$' | head -n 1)
  # The pointer rests away from the window, so no control shows itself hot.
  xdotool mousemove 0 0
  # Two captures in a row that agree: the window has finished painting.
  previous=
  for _ in $(seq 1 50); do
    import -window "$window" -strip "$top/docs/window-$look.png"
    current=$(md5sum <"$top/docs/window-$look.png")
    [ "$current" = "$previous" ] && break
    previous=$current
    sleep 0.1
  done
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "docs/window-$look.png"
done
