#!/usr/bin/env bash
# Moving the view and pausing: Pause freezes the time while a right-button
# drag still turns the picture; the wheel alone does nothing; another
# window's activation stops the drawing. A missing start file starts
# normally; a handler that raises is logged once and ends the program.
source "$(dirname "$0")/app_lib.bash"
e2e_in_display "$0" "$@"
app_setup

start_app "$WORK/no such preset.cvp"
wait_main_window >/dev/null
sleep 2
focus_main
expect_motion moving 0.5 10 "the running figure"

xdotool key Pause
expect_motion still 1 10 "Pause"
shot before-drag
share_before=$(lit_share before-drag)

# The wheel without the right button is not handled.
xdotool mousemove 400 300
for _ in 1 2 3; do xdotool click 4; done
sleep 1
shot after-wheel
[ "$(pixels_differing before-drag after-wheel)" -lt 50 ] || fail "the wheel moved the view without the right button"

# A right-button drag turns the frozen picture: it changes, the figure stays.
xdotool mousedown 3
for x in 410 430 450 470 490; do xdotool mousemove "$x" 300; sleep 0.1; done
xdotool mouseup 3
expect_motion still 1 10 "after the drag"
shot after-drag
keep_shot before-drag app-before-drag
keep_shot after-drag app-after-drag
moved=$(pixels_differing before-drag after-drag)
share_after=$(lit_share after-drag)
echo "drag: $moved pixels changed, lit share $share_before -> $share_after"
[ "$moved" -gt 500 ] || fail "the drag did not move the frozen picture"
awk -v a="$share_before" -v b="$share_after" 'BEGIN { exit !(b > a / 3 && b < a * 3) }' ||
  fail "the figure did not stay in view after the drag"

# Time runs again; then another window's activation stops the drawing.
focus_main
xdotool key Pause
expect_motion moving 0.5 10 "after Pause again"
probe activate-other 8 &
other=$!
sleep 2
expect_motion still 1 5 "while another window is active"
wait "$other" || true
focus_main
expect_motion moving 0.5 10 "back in the main window"
quit_with_escape "after a missing start file"

# A raising handler: F9 where a file blocks the snapshot folder.
touch "$WORK/ScreenShots"
start_app
wait_main_window >/dev/null
focus_main
xdotool key F9
dismiss_error_box 20
wait_saver_exit 20
grep -q "Handler     :  TMainForm" "$LOG" || { cat "$LOG"; fail "no TMainForm handler line"; }
grep -q "Raiser      :  TMainForm" "$LOG" || { cat "$LOG"; fail "no raiser line"; }
grep -q "Exception   :  EDrawerError" "$LOG" || { cat "$LOG"; fail "not the snapshot's error"; }
[ "$(grep -c 'ProcessID' "$LOG")" = 1 ] || { cat "$LOG"; fail "more than one record"; }
echo "PASS app_navigation"
