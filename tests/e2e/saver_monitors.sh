#!/usr/bin/env bash
# /s on two monitors side by side: one window over both with the figure in
# the middle of the two (Span); when one monitor goes while the saver runs,
# the window follows the one left, and a key still ends the saver.
source "$(dirname "$0")/lib.bash"
e2e_in_monitors_display "$0" "$@"
e2e_setup

window_geometry() {  # X window: "X Y WIDTH HEIGHT"
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "$X $Y $WIDTH $HEIGHT"
}

start_saver /s
window=$(wait_saver_window)
[ "$(window_geometry "$window")" = "0 0 2560 1024" ] ||
  fail "the saver window is $(window_geometry "$window"), not over both monitors"
sleep 3
import -window root "$WORK/span.png"
# The figure's bounding box over the black background: "width centre-x".
figure_across() {  # png
  convert "$1" -fuzz 15% -trim -format '%[fx:w] %[fx:page.x+w/2]' info: | awk '{ printf "%d %d\n", $1, $2 }'
}
read -r width centre <<<"$(figure_across "$WORK/span.png")"
echo "figure ${width} px wide, centred at x=$centre"
# The trail is not symmetric at every moment: the centre within 15 % of a
# monitor's width of where it belongs.
((width > 50 && centre > 1088 && centre < 1472)) || fail "the figure is not centred on the seam of the two monitors"

e2e_set_monitors 1280x1024+0+0
wine "$E2E_PROBE" display-change
follows() { [ "$(window_geometry "$window")" = "0 0 1280 1024" ]; }
wait_until 30 follows || fail "the saver window is $(window_geometry "$window") after one monitor went"
saver_running || fail "the saver ended when a monitor went"
sleep 2
import -window root "$WORK/one.png"
read -r width centre <<<"$(figure_across "$WORK/one.png")"
echo "then ${width} px wide, centred at x=$centre"
((width > 50 && centre > 448 && centre < 832)) || fail "the figure is not centred on the monitor left"
xdotool key space
wait_saver_exit 10
log_is_empty || { cat "$LOG"; fail "the error log is not empty"; }
echo "PASS saver_monitors"
