#!/usr/bin/env bash
# /s on a display without OpenGL: the failure is logged and told once, the
# saver stays a blank window that still ends on a key, nothing hangs.
source "$(dirname "$0")/lib.bash"
if [ -z "${CORVANE_E2E_DISPLAY:-}" ]; then
  CORVANE_E2E_DISPLAY=1 exec xvfb-run -a -s "-screen 0 800x600x24 -extension GLX" bash "$0" "$@"
fi
e2e_setup

start_saver /s
wait_saver_window >/dev/null
dismiss_error_box 20
sleep 1
saver_running || fail "the saver ended by itself after the OpenGL failure"
# The box took the keyboard focus with it; the mouse reaches the window under
# the pointer all the same.
for attempt in 1 2 3; do
  for x in 300 340 380 420 460 500; do xdotool mousemove "$x" 200; done
  sleep 1
  saver_running || break
done
wait_saver_exit 10
[ -s "$LOG" ] || fail "the OpenGL failure was not logged"
grep -q "Handler     :  TDrawer" "$LOG" || { cat "$LOG"; fail "the record does not name the drawing thread"; }
[ -z "$(xdotool search --name '^Corvane$' 2>/dev/null)" ] || fail "a saver window was left behind"
echo "PASS saver_without_gl"
