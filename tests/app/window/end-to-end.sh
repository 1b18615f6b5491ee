#!/usr/bin/env bash
# Starts the real program on a virtual X display, in its stored look, in another look,
# from a skin file and from a skin file of values only, and drives it as a user does:
# checks the window's geometry and samples the pixels of its frame, tab strip and page
# borders (never of text), drags the window by its caption and checks that it followed
# the pointer exactly, checks that the caption changes while another window is active,
# switches pages with a real click, types a folder, makes and verifies a check file
# through the skinned buttons with real pointer clicks, and closes the window with the
# title bar's close button. Then double-clicks the control box of a skinned demo window,
# which closes it. With SUMWARDEN_E2E_WM=openbox all of it runs under that window
# manager, as on a desktop; otherwise with none.
# Usage: end-to-end.sh /path/to/sumwarden /path/to/sumwarden-skin /path/to/skinned_window_demo
#        (runs itself under xvfb-run when needed)
set -euo pipefail
program=$1
skintool=$2
demo=$3
wm=${SUMWARDEN_E2E_WM:-none}

if [ -z "${SUMWARDEN_E2E_INSIDE:-}" ]; then
  tools="xvfb-run xdotool xwininfo xprop xmessage import convert"
  [ "$wm" = none ] || tools="$tools $wm"
  for tool in $tools; do
    command -v "$tool" >/dev/null || { echo "end-to-end: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
  done
  SUMWARDEN_E2E_INSIDE=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

session=start
fail() { echo "end-to-end ($session): $*" >&2; exit 1; }

# The program decides its own density and platform.
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
work=$(mktemp -d)
pid=
wm_pid=
other_pid=
trap 'rm -rf "$work"; for p in $pid $other_pid $wm_pid; do kill "$p" 2>/dev/null || true; done' EXIT

# Client coordinates of the places the test clicks and samples (the layout's positions).
# A look's tab strip has a height of its own: the pages' controls stand $dy pixels above
# their places under the 34-pixel MacOS strip.
tab_maker=(156 40)          # the "Make check file" tab
tab_verifier=(252 40)       # the "Verify check file" tab
# The skinned frame is 3 pixels wide around the 507 x 339 client and 1 more at the bottom.
client_x=3
client_y=3
close_button=(497 13)       # the title bar's close button, in window coordinates
place_page_controls() {
  edit_path=(250 $((86 + dy)))       # EdtPath, and EdtCheckfilePath at the same height
  button_job=(67 $((114 + dy)))      # BtnMake, and BtnVerify at the same place
  edge_y=$((86 + dy))                # a row where each page shows its edit or list
}

# Waits up to 30 s for a condition given as a command (a loaded machine can be slow to
# paint and capture).
wait_for() {
  for _ in $(seq 1 300); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}

capture() { import -window "$window" "$work/shot.png"; }
# Pixels and clicks take client coordinates; the client lies at $client_x, $client_y in
# the window.
pixel() {
  convert "$work/shot.png" -format "%[hex:p{$(($1 + client_x)),$(($2 + client_y))}]" info: |
    cut -c1-6 | tr A-F a-f
}
memo_digest() {
  convert "$work/shot.png" -crop "440x140+$((19 + client_x))+$((133 + dy + client_y))" +repage \
    -format '%#' info:
}
click() { xdotool mousemove --window "$window" $(($1 + client_x)) $(($2 + client_y)) click 1; }
window_pixel() {
  convert "$work/shot.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6 | tr A-F a-f
}

geometry() {
  xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    END {print x, y}'
}
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
at_place() { [ "$(geometry)" = "$1" ]; }
# The caption's text, active or not (the title bar's left part, in window coordinates).
caption_digest() {
  import -window "$window" "$work/caption.png" &&
    convert "$work/caption.png" -crop "120x14+6+5" +repage -format '%#' info:
}
caption_is() { [ "$(caption_digest)" = "$1" ]; }
caption_is_not() { [ "$(caption_digest)" != "$1" ]; }
# Gives the keyboard focus to window $1 as the window manager or, without one, X does.
focus() {
  if [ "$wm" = none ]; then
    xdotool windowfocus --sync "$1"
  else
    xdotool windowactivate --sync "$1"
  fi
}

# Waits until the pixel at x y has colour $3, or (with "not") another colour than $4.
pixel_is() { capture && [ "$(pixel "$1" "$2")" = "$3" ]; }
pixel_is_not() { capture && [ "$(pixel "$1" "$2")" != "$3" ]; }
wait_pixel() { wait_for pixel_is "$@"; }
ended() { ! kill -0 "$pid" 2>/dev/null; }
memo_changed() { capture && [ "$(memo_digest)" != "$1" ]; }

# One session: start with the given options, check the frame's colours, run both jobs
# and close. $1 names the session, $2 is the page border colour, $3 the page area
# colour, $4 the pages' offset; the rest are the program's options.
run_session() {
  session=$1 border=$2 page=$3 dy=$4
  shift 4
  place_page_controls
  "$program" "$@" >"$work/log" 2>&1 &
  pid=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Sumwarden$' | head -n 1) ||
    fail "no window titled Sumwarden appeared; program output: $(cat "$work/log")"

  size=$(xwininfo -id "$window" | awk '/^  Width:/ {w=$2} /^  Height:/ {h=$2} END {print w "x" h}')
  [ "$size" = "513x343" ] || fail "window size is $size, expected 513x343"

  # Page borders on the left, right and bottom, the page area inside them, and the tab
  # strip's pictures standing out from the window's background.
  wait_pixel 8 150 "$border" || fail "left page border is $(pixel 8 150), expected $border"
  [ "$(pixel 496 150)" = "$border" ] || fail "right page border is $(pixel 496 150)"
  [ "$(pixel 100 296)" = "$border" ] || fail "bottom page border is $(pixel 100 296)"
  [ "$(pixel 9 150)" = "$page" ] || fail "page area is $(pixel 9 150), expected $page"
  [ "$(pixel 20 40)" != "$(pixel 4 40)" ] || fail "no tab picture at the tab strip's start"
  # The frame's outer line runs round the window, the client inside it.
  frame=$(window_pixel 0 150)
  for corner in "512 150" "256 342"; do
    [ "$(window_pixel $corner)" = "$frame" ] || fail "the frame line differs at $corner"
  done
  [ "$(window_pixel 3 150)" != "$frame" ] || fail "the frame is wider than 3 pixels"
  # The close glyph stands out from the title bar beside it.
  [ "$(window_pixel "${close_button[@]}")" != "$(window_pixel 460 "${close_button[1]}")" ] ||
    fail "no close button in the title bar"

  # A caption drag moves the window exactly as far as the pointer went.
  read -r x y < <(geometry)
  xdotool mousemove $((x + 250)) $((y + 10)) mousedown 1
  for step in 1 2 3 4 5 6 7 8; do xdotool mousemove $((x + 250 + step * 10)) $((y + 10 + step * 5)); done
  xdotool mouseup 1
  wait_for at_place "$((x + 80)) $((y + 40))" ||
    fail "window at $(geometry) after a drag by (80, 40) from $x $y"

  # While another window is active the caption is drawn in the inactive colour.
  focus "$window"
  wait_for caption_is_not "" || fail "no caption to sample"
  active=$(caption_digest)
  xmessage -geometry +600+600 "another window" 2>/dev/null &
  other_pid=$!
  other=$(timeout 30 xdotool search --sync --onlyvisible --classname '^xmessage$' | head -n 1) ||
    fail "the other window did not appear"
  focus "$other"
  wait_for caption_is_not "$active" || fail "the caption stayed as it is while inactive"
  kill "$other_pid"
  wait "$other_pid" 2>/dev/null || true
  other_pid=
  focus "$window"
  wait_for caption_is "$active" || fail "the caption did not come back when active again"

  # A real click on the tab brings up the maker's page: its edit's border appears where
  # the list view stood.
  capture
  list=$(pixel 67 "$edge_y")
  click "${tab_maker[@]}"
  wait_for pixel_is_not 67 "$edge_y" "$list" || fail "the maker's page did not come up"

  mkdir -p "$work/data/sub"
  echo one >"$work/data/a.txt"
  echo two >"$work/data/sub/b.txt"
  click "${edit_path[@]}"
  xdotool type --delay 5 "$work/data"
  capture
  before=$(memo_digest)
  click "${button_job[@]}"
  wait_for test -s "$work/data/CheckSum.md5" || fail "Make wrote no check file"
  grep -q 'sub\\b.txt' "$work/data/CheckSum.md5" || fail "the check file lacks the sub folder's file"
  wait_for memo_changed "$before" || fail "the maker's memo did not change"

  capture
  maker=$(pixel 60 "$edge_y")
  click "${tab_verifier[@]}"
  wait_for pixel_is_not 60 "$edge_y" "$maker" || fail "the verifier's page did not come up"
  click "${edit_path[@]}"
  xdotool type --delay 5 "$work/data/CheckSum.md5"
  capture
  before=$(memo_digest)
  click "${button_job[@]}"
  wait_for memo_changed "$before" || fail "the verifier's memo did not change"

  xdotool mousemove --window "$window" "${close_button[@]}" click 1
  wait_for ended || fail "the program did not end after the title bar's close button"
  wait "$pid" || fail "the program ended with status $?"
  pid=
  rm -rf "$work/data"
  echo "end-to-end ($session): window found, pages switched, check file made and verified, closed"
}

# Drives the demo window: a double click on its control box closes it.
run_demo() {
  session="demo window"
  "$demo" >"$work/log" 2>&1 &
  pid=$!
  wait_for grep -qx ready "$work/log" || fail "the demo did not start: $(cat "$work/log")"
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Skin Demo$' | head -n 1) ||
    fail "no window titled Skin Demo"
  focus "$window"
  # The control box: 17 x 17 pixels, 4 pixels into the title bar, under the 3-pixel frame.
  xdotool mousemove --window "$window" 15 12 click --repeat 2 --delay 60 1
  wait_for ended || fail "the demo did not end after a double click on its control box"
  wait "$pid" || fail "the demo ended with status $?"
  pid=
  grep -qx closed "$work/log" || fail "the demo ended without closing its window"
  ! grep -qx "system menu" "$work/log" || fail "the double click opened the system menu"
  echo "end-to-end ($session): closed by a double click on the control box"
}

if [ "$wm" != none ]; then
  session=$wm
  "$wm" >"$work/wm.log" 2>&1 &
  wm_pid=$!
  wait_for wm_running || fail "$wm did not start: $(cat "$work/wm.log")"
fi

run_session MacOS 7f7f7f e7e7e7 0
run_session WinXP 686868 ffffff -15 --look WinXP
"$skintool" export Protein "$work/protein.skn" >/dev/null
run_session "Protein skin file" 000000 fbfbfb -12 --skin "$work/protein.skn"
# A skin file of values only: every picture comes from DeepBlue.
mkdir -p "$work/values"
printf '%s\n' "ControlBorderColor = #686868" "ControlBackgroundColor = #FBFBFB" \
  "FormBorderColor = #202020" "FormBorderWidthInt = 1" "FormBackgroundColor = #E0E0E0" \
  >"$work/values/values.txt"
"$skintool" build "$work/values" "$work/values.skn" >/dev/null
run_session "skin file of values only" 686868 fbfbfb -12 --skin "$work/values.skn"
run_demo
