#!/usr/bin/env bash
# /c shows the settings dialog with the stored presets; Esc leaves the
# registry alone; choosing another preset and "OK" makes it current, and the
# next /s shows it. /c:<window> is modal to that window of another program.
source "$(dirname "$0")/lib.bash"
e2e_in_display "$0" "$@"
e2e_setup
host=$E2E_BUILD/windows/tests/e2e/config_host.exe
[ -f "$host" ] || fail "config_host.exe is not built"

current_name() { wine reg query "$E2E_KEY\\ListPresets" /v Name 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'; }
wait_dialog() { wait_until 30 x_window_named '^Corvane Screen Saver$' >/dev/null || fail "no dialog appeared"; }

store_coloured_preset "Red sky" 1 0 0
store_coloured_preset "Green sea" 0 1 0
wine reg add "$E2E_KEY\\ListPresets" /v Name /t REG_SZ /d "Red sky" /f >/dev/null

start_saver /c
wait_dialog
shown=$(wine "$host" show | tr -d '\r') || fail "the dialog could not be read"
echo "$shown"
for text in Add Delete OK Cancel Random Shuffle Evolve "Show frames per second"; do
  grep -qx "control: Button|$text" <<<"$shown" || fail "no \"$text\" button"
done
grep -qx "control: Static|Monitors" <<<"$shown" || fail "no Monitors choice"
grep -qx "item: Green sea" <<<"$shown" && grep -qx "item: Red sky" <<<"$shown" || fail "the stored presets are not listed"
grep -qx "selected: Red sky" <<<"$shown" || fail "the current preset is not selected"
xdotool key Escape
wait_saver_exit 20
[ "$(current_name)" = "Red sky" ] || fail "Esc changed the current preset"

start_saver /c
wait_dialog
wine "$host" select "Green sea" || fail "could not pick \"Green sea\""
wine "$host" select "Each monitor" || fail "could not pick \"Each monitor\""
read -r x y <<<"$(wine "$host" centre "Show frames per second" | tr -d '\r')"
xdotool mousemove "$x" "$y" click 1
read -r x y <<<"$(wine "$host" centre OK | tr -d '\r')"
xdotool mousemove "$x" "$y" click 1
wait_saver_exit 20
[ "$(current_name)" = "Green sea" ] || fail "OK did not make \"Green sea\" current ($(current_name))"
monitors=$(wine reg query "$E2E_KEY\\ListPresets" /v Monitors 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_DWORD *//p')
[ "$monitors" = 0x1 ] || fail "OK did not store the Each monitor choice (Monitors=$monitors)"
fps=$(wine reg query "$E2E_KEY\\ListPresets" /v ShowFPS 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_DWORD *//p')
[ "$fps" = 0x1 ] || fail "OK did not store the frames-per-second check box (ShowFPS=$fps)"

read -r r g b <<<"$(saver_session_rgb)"
((g > 150 && r < 80)) || fail "the next session does not show the chosen preset ($r,$g,$b)"

(cd "$WORK" && timeout 120 wine "$host" owner "$WORK/Corvane.scr") || fail "the owner checks failed"
log_is_empty || { cat "$LOG"; fail "the error log is not empty"; }
echo "PASS config_dialog"
