#!/usr/bin/env bash
# Starts the real program on a virtual X display, in its stored look, in another look and
# from a skin file, and drives it as a user does: checks the window's geometry and
# samples the pixels of its frame, tab strip and page borders (never of text), switches
# pages with a real click, types a folder, makes and verifies a check file through the
# skinned buttons with real pointer clicks, and closes the window with the title bar's
# close button.
# Usage: end-to-end.sh /path/to/sumwarden /path/to/sumwarden-skin
#        (runs itself under xvfb-run when needed)
set -euo pipefail
program=$1
skintool=$2

if [ -z "${SUMWARDEN_E2E_INSIDE:-}" ]; then
  for tool in xvfb-run xdotool xwininfo import convert; do
    command -v "$tool" >/dev/null || { echo "end-to-end: $tool is missing (scripts/install-deps.sh installs it)" >&2; exit 1; }
  done
  SUMWARDEN_E2E_INSIDE=1 exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

fail() { echo "end-to-end ($session): $*" >&2; exit 1; }

# The program decides its own density and platform.
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING
work=$(mktemp -d)
pid=
trap 'rm -rf "$work"; [ -n "$pid" ] && kill "$pid" 2>/dev/null || true' EXIT

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

run_session MacOS 7f7f7f e7e7e7 0
run_session WinXP 686868 ffffff -15 --look WinXP
"$skintool" export Protein "$work/protein.skn" >/dev/null
run_session "Protein skin file" 000000 fbfbfb -12 --skin "$work/protein.skn"
