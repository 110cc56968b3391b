#!/usr/bin/env bash
# /s on two monitors side by side: one window over both with the figure in
# the middle of the two (Span); when one monitor goes while the saver runs,
# the window follows the one left, and a key still ends the saver. Then, on
# both monitors again, Each monitor (a figure centred on each, also on a
# monitor that comes while it runs) and Primary only (the secondary black).
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
wine "$E2E_PROBE" display-change 1280x1024 || fail "Wine never showed a virtual screen of 1280x1024"
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

e2e_set_monitors 1280x1024+0+0 1280x1024+1280+0
wine "$E2E_PROBE" display-change 2560x1024 || fail "Wine never showed a virtual screen of 2560x1024"
# The saver in Monitors mode $1, over both monitors; its screenshot's
# halves as $2-0.png (the primary) and $2-1280.png.
shoot_mode() {  # mode name
  reg_flag ListPresets Monitors "$1"
  start_saver /s
  window=$(wait_saver_window)
  [ "$(window_geometry "$window")" = "0 0 2560 1024" ] ||
    fail "in $2 the saver window is $(window_geometry "$window"), not over both monitors"
  sleep 3
  import -window root "$WORK/$2.png"
  xdotool key space
  wait_saver_exit 10
  for left in 0 1280; do convert "$WORK/$2.png" -crop "1280x1024+$left+0" +repage "$WORK/$2-$left.png"; done
}
centred_in_half() {  # png name
  read -r width centre <<<"$(figure_across "$1")"
  echo "$2: ${width} px wide, centred at x=$centre of its monitor"
  ((width > 50 && centre > 448 && centre < 832)) || fail "$2: the figure is not centred on its monitor"
}
shoot_mode 1 each
centred_in_half "$WORK/each-0.png" "each monitor, primary"
centred_in_half "$WORK/each-1280.png" "each monitor, secondary"

# Each monitor, and a second monitor comes while the saver runs: the window
# takes it, and it gets a figure of its own.
e2e_set_monitors 1280x1024+0+0
wine "$E2E_PROBE" display-change 1280x1024 || fail "Wine never showed a virtual screen of 1280x1024"
start_saver /s
window=$(wait_saver_window)
e2e_set_monitors 1280x1024+0+0 1280x1024+1280+0
wine "$E2E_PROBE" display-change 2560x1024 || fail "Wine never showed a virtual screen of 2560x1024"
spans() { [ "$(window_geometry "$window")" = "0 0 2560 1024" ]; }
wait_until 30 spans || fail "in each monitor the window is $(window_geometry "$window") after a monitor came"
sleep 2
import -window root "$WORK/came.png"
xdotool key space
wait_saver_exit 10
for left in 0 1280; do
  convert "$WORK/came.png" -crop "1280x1024+$left+0" +repage "$WORK/came-$left.png"
  centred_in_half "$WORK/came-$left.png" "each monitor after one came, at x=$left"
done
shoot_mode 2 primary
centred_in_half "$WORK/primary-0.png" "primary only, primary"
[ "$(convert "$WORK/primary-1280.png" -format '%[max]' info:)" = 0 ] || fail "primary only: the secondary is not black"
log_is_empty || { cat "$LOG"; fail "the error log is not empty"; }
echo "PASS saver_monitors"
