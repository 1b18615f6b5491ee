#!/usr/bin/env bash
# Drives a skinned window with real X input on a virtual display: caption drag, double
# click to maximise and restore, a menu opened by the pointer and by the keyboard (Alt+F,
# Alt alone, F10), the system menu from Alt+Space, and the close button.
# Usage: xvfb-input.sh /path/to/skinned_window_demo [SCREENSHOT.png]
set -euo pipefail
demo=$1
shot=${2:-}

if [ -z "${SUMWARDEN_XVFB_INSIDE:-}" ]; then
  for tool in xvfb-run xdotool xwininfo; do
    command -v "$tool" >/dev/null || { echo "xvfb-input: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
  done
  SUMWARDEN_XVFB_INSIDE=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

fail() { echo "xvfb-input: $*; demo said:" >&2; cat "$log" >&2; exit 1; }
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
log=$(mktemp)
trap 'rm -f "$log"; kill "$pid" 2>/dev/null || true' EXIT
"$demo" >"$log" 2>&1 &
pid=$!

# Waits until the demo has printed the line (a fixed text) since the last mark.
mark=0
expect() {
  for _ in $(seq 1 100); do
    if tail -n +"$((mark + 1))" "$log" | grep -qxF "$1"; then
      mark=$(wc -l <"$log")
      return 0
    fi
    sleep 0.1
  done
  fail "expected \"$1\""
}
geometry() {
  xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print x, y, w, h}'
}

expect ready
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Skin Demo$' | head -n 1) ||
  fail "no window titled Skin Demo"
xdotool windowfocus --sync "$window" 2>/dev/null || true
read -r x y w h < <(geometry)
[ "$w $h" = "400 300" ] || fail "window is ${w}x$h, expected 400x300"

# Caption drag: the window follows the pointer.
xdotool mousemove $((x + 150)) $((y + 10)) mousedown 1
for step in 1 2 3 4 5 6; do xdotool mousemove $((x + 150 + step * 10)) $((y + 10 + step * 5)); done
xdotool mouseup 1
for _ in $(seq 1 50); do
  read -r nx ny _ _ < <(geometry)
  [ "$nx $ny" = "$((x + 60)) $((y + 30))" ] && break
  sleep 0.1
done
[ "$nx $ny" = "$((x + 60)) $((y + 30))" ] || fail "window at $nx,$ny after the drag, expected $((x + 60)),$((y + 30))"
x=$nx; y=$ny

# Double click on the caption maximises, a second one restores.
xdotool mousemove $((x + 150)) $((y + 10)) click --repeat 2 --delay 60 1
expect "size 1032x771"
read -r mx my _ _ < <(geometry)
xdotool mousemove $((mx + 150)) $((my + 10)) click --repeat 2 --delay 60 1
expect "size 400x300"
read -r x y w h < <(geometry)

# The File drop-down opened by the pointer; its first item clicked.
xdotool mousemove $((x + 3 + 12)) $((y + 3 + 20 + 10)) click 1
sleep 0.3
xdotool mousemove $((x + 3 + 40)) $((y + 3 + 20 + 22 + 12)) click 1
expect "clicked &Open"

# The same drop-down from the keyboard: Alt+F, then Down and Return.
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key alt+f
sleep 0.3
xdotool key Down Return
expect "clicked &Open"

# Alt pressed and released alone, and F10, enter the menu bar at its first drop-down.
xdotool key alt
sleep 0.3
xdotool key Down Return
expect "clicked &Open"
xdotool key F10
sleep 0.3
xdotool key Down Return
expect "clicked &Open"

# Alt+Space opens the system menu; Escape closes it.
xdotool key alt+space
expect "system menu"
if [ -n "$shot" ] && command -v import >/dev/null; then
  sleep 0.3
  import -window root "$shot" || true
fi
xdotool key Escape

# The close button (17 x 17, 20 pixels from the right, 1 below the frame) ends it.
xdotool mousemove $((x + w - 3 - 20 + 8)) $((y + 3 + 1 + 8)) click 1
expect closed
for _ in $(seq 1 50); do
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" || fail "the demo ended with status $?"
    echo "xvfb-input: drag, double click, menus, system menu and close button work"
    exit 0
  fi
  sleep 0.1
done
fail "the demo did not end after the close button"
