#!/usr/bin/env bash
# With Random set and presets stored, a session starts with one of them
# (told apart by their background colours); without Random the current
# preset is shown, and with Shuffle off it stays.
source "$(dirname "$0")/lib.bash"
e2e_in_display "$0" "$@"
e2e_setup

# Prints "red", "green" or "other" for the screen's dominant colour.
session_colour() {
  read -r r g b <<<"$(saver_session_rgb)"
  if ((r > 150 && g < 80)); then echo red; elif ((g > 150 && r < 80)); then echo green; else echo "other($r,$g,$b)"; fi
}

store_coloured_preset "Red sky" 1 0 0
store_coloured_preset "Green sea" 0 1 0
reg_flag ListPresets Random 1
reg_flag ListPresets Shuffle 0
seen=""
for run in 1 2 3 4 5 6; do
  colour=$(session_colour)
  echo "random session $run: $colour"
  case $colour in red | green) seen="$seen $colour" ;; *) fail "a random session showed neither stored preset" ;; esac
done

reg_flag ListPresets Random 0
wine reg add "$E2E_KEY\\ListPresets" /v Name /t REG_SZ /d "Green sea" /f >/dev/null
start_saver /s
wait_saver_window >/dev/null
for check in 1 2 3; do
  sleep 1.5
  read -r r g b <<<"$(screen_mean_rgb)"
  ((g > 150 && r < 80)) || fail "the current preset is not shown throughout the session ($r,$g,$b)"
done
xdotool key space
wait_saver_exit 10
log_is_empty || { cat "$LOG"; fail "the error log is not empty"; }
echo "PASS saver_presets (random sessions:$seen)"
