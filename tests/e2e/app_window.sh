#!/usr/bin/env bash
# The application window: caption, menu bar and figure; snapshots by F9 and
# by the menu; Quick Info and About; full screen by F11 and by maximising;
# Esc ends the program with exit code 0 and nothing logged.
source "$(dirname "$0")/app_lib.bash"
e2e_in_display "$0" "$@"
app_setup

start_app
caption=$(wait_main_window)
# The status text follows once the editor's one-second timer has run.
[[ "$caption" == "Corvane | 640 x 480 | "* ]] || fail "caption is '$caption'"
[ "$(probe frame "Corvane | ")" = "menu=1 popup=0 maximized=0 client=640x480" ] ||
  fail "frame: $(probe frame "Corvane | ")"
[ "$(probe status "Corvane | " | head -1)" = hidden ] || fail "the status bar is shown at start"
sleep 3
keep_screen app-window
shot figure
share=$(lit_share figure)
echo "lit share of the middle: $share"
awk -v s="$share" 'BEGIN { exit !(s > 0.01 && s < 0.95) }' || fail "no figure in the window"
expect_motion moving 0.5 10 "a running window"

# Snapshots: F9, then a click on the menu bar's last item, "SNAPSHOT" (the
# bar's place comes from the window system, the item's from the rightmost
# text in the bar). One per second at most, so a second apart.
focus_main
count_shots() { find "$WORK/ScreenShots" -name '_ScreenShot_*_.bmp' 2>/dev/null | wc -l; }
shots_at_least() { [ "$(count_shots)" -ge "$1" ]; }
wait_shots() { wait_until 10 shots_at_least "$1" || fail "$2 wrote no snapshot"; }  # count what
xdotool key F9
wait_shots 1 "F9"
sleep 1.1
read -r bar_x bar_y bar_width bar_height <<<"$(probe menubar "Corvane | ")"
row=$((bar_y + bar_height / 2))
import -window root -crop "${bar_width}x1+${bar_x}+${row}" +repage "$WORK/bar.png"
convert "$WORK/bar.png" -colorspace Gray -threshold 50% "$WORK/bar.txt"
last_text=$(grep -E '^[0-9]+,0: .*#000000' "$WORK/bar.txt" | tail -1 | cut -d, -f1)
[ -n "$last_text" ] || fail "no menu text in the bar"
xdotool mousemove $((bar_x + last_text - 20)) "$row" click 1
wait_shots 2 "the SNAPSHOT menu"
file "$(find "$WORK/ScreenShots" -name '*.bmp' | head -1)" | grep -q "PC bitmap" || fail "the snapshot is no BMP"

# Quick Info: F1 shows it with the hot-key list, F1 again hides it.
xdotool key F1
texts=$(texts_when_shown "Quick Info" F1)
grep -q "^F11    -  Full screen / Normal $" <<<"$texts" || fail "Quick Info text: $texts"
grep -q "^to be continued...$" <<<"$texts" || fail "Quick Info text ends wrong: $texts"
xdotool key F1
probe hidden "Quick Info" 20 || fail "F1 again did not hide Quick Info"

# About: Ctrl+F1, with the version lines; Return presses OK.
focus_main
xdotool key ctrl+F1
texts=$(texts_when_shown About Ctrl+F1)
echo "$texts"
grep -qx "Version  1.0.0.1" <<<"$texts" || fail "no version line"
grep -qx "File version  1.0.0.1" <<<"$texts" || fail "no file version line"
grep -qx "Corvane" <<<"$texts" || fail "no product line"
xdotool key Return
probe hidden "About" 20 || fail "OK did not close About"

# Full screen and back: F11, then maximising, then F11.
read -r screen_width screen_height <<<"$(xdotool getdisplaygeometry)"
full="menu=0 popup=1 maximized=1 client=${screen_width}x${screen_height}"
normal="menu=1 popup=0 maximized=0 client=640x480"
frame_is() { [ "$(probe frame "Corvane | ")" = "$1" ]; }
wait_frame() {  # expected what
  wait_until 10 frame_is "$1" || fail "$2: frame is $(probe frame "Corvane | "), not $1"
}
focus_main
xdotool key F11
wait_frame "$full" "F11"
sleep 1
keep_screen app-fullscreen
probe title "Corvane | ${screen_width} x ${screen_height} | " 5 >/dev/null || fail "caption after F11"
xdotool key F11
wait_frame "$normal" "F11 again"
probe maximize "Corvane | "
wait_frame "$full" "maximising"
focus_main
xdotool key F11
wait_frame "$normal" "F11 after maximising"

quit_with_escape "after Esc"
echo "PASS app_window"
