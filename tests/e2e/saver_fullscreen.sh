#!/usr/bin/env bash
# /s covers the virtual screen and draws the figure; a real key press ends it
# at once; five mouse events within one 500 ms period end it, four do not.
source "$(dirname "$0")/lib.bash"
e2e_in_display "$0" "$@"
e2e_setup

# Fraction of the screen's pixels whose channel exceeds 30 %.
channel_share() {  # png channel
  convert "$1" -channel "$2" -separate -threshold 30% -format '%[fx:mean]' info:
}

start_saver /s
window=$(wait_saver_window)
read -r screen_width screen_height <<<"$(xdotool getdisplaygeometry)"
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$WIDTH" = "$screen_width" ] && [ "$HEIGHT" = "$screen_height" ] ||
  fail "saver window is ${WIDTH}x${HEIGHT}, not the ${screen_width}x${screen_height} screen"
sleep 3
import -window root "$WORK/fullscreen.png"
red=$(channel_share "$WORK/fullscreen.png" R)
blue=$(channel_share "$WORK/fullscreen.png" B)
echo "red share $red, blue share $blue"
awk -v r="$red" -v b="$blue" 'BEGIN { exit !(r > 0.002 && b > 0.002 && r < 0.9) }' ||
  fail "the screenshot does not show a red-to-blue figure over the background"
cp "$WORK/fullscreen.png" "$E2E_BUILD/e2e-fullscreen.png"

xdotool key space
wait_saver_exit 5
log_is_empty || { cat "$LOG"; fail "the error log is not empty after a key ended the saver"; }

# The mouse, through the window system: X motion events that arrive together
# are merged under load, so they cannot be counted on. Each burst starts a
# fresh 500 ms period; four moves leave the saver running, five end it.
post_mouse() {  # count
  wine "$E2E_BUILD/windows/tests/e2e/post_mouse.exe" "$1" || fail "could not post $1 mouse moves to the saver"
}
start_saver /s
wait_saver_window >/dev/null
sleep 1.5  # the window's appearance under the pointer costs one event; later ticks refill it
post_mouse 4
post_mouse 4
sleep 1
saver_running || fail "four mouse events within one period ended the saver"
post_mouse 5
wait_saver_exit 10
log_is_empty || { cat "$LOG"; fail "the error log is not empty after the mouse ended the saver"; }
echo "PASS saver_fullscreen"
