#!/usr/bin/env bash
# The transfer window: F8 shows "Transfer"; "Copy" puts the drawn values on
# the clipboard as transfer text; "Clear" disables "OK"; pasting the default
# preset's text gives "Status : OK" and an enabled "OK", which sends it to the
# picture, so that the next "Copy" gives that text back; nothing is logged.
source "$(dirname "$0")/app_lib.bash"
e2e_in_display "$0" "$@"
app_setup
# The first-show setup window would stand in front of the main window.
wine reg add "$E2E_KEY" /v ShowSetup /t REG_DWORD /d 0 /f >/dev/null

default_text='33;333;14;0;1.1;1.1;0.251;0;0;400;0;0;400;0;0;400;0;0;1;0;0;1;0;0;1;0;0;-0.666666666666667;0;0;0;0;0;0.666666666666667;0;0;0;0;0;0;0;0;0;0;0;0;1.1;0;0;0;0;1.1;0;0;1800;1800;1800;0;0;0;-4082;8165;-4082;1;0;0;0;0;0;'

# Clicks a button of the transfer window where the window system says it is.
click_button() {  # caption
  local x y enabled
  read -r x y enabled <<<"$(probe child Transfer "$1" || true)"
  [ -n "$x" ] || fail "no button \"$1\""
  [ "$enabled" = 1 ] || fail "\"$1\" is disabled"
  xdotool mousemove "$x" "$y" click 1
}
ok_enabled() { probe child Transfer OK | cut -d' ' -f3; }
status_line() { probe status Transfer | sed -n 2p; }
# The status line settles after the click has been served.
wait_status() {  # text what
  local now
  for _ in $(seq 50); do
    now=$(status_line)
    [ "$now" = "$1" ] && return 0
    sleep 0.2
  done
  fail "$2: the status line reads '$now'"
}

# Polls the clipboard until it holds the wanted text; prints what it holds.
wait_clipboard() {  # pattern (extended regular expression)
  local text=
  for _ in $(seq 50); do
    text=$(probe clipboard || true)
    [[ "$text" =~ $1 ]] && break
    sleep 0.2
  done
  echo "$text"
}

start_app
wait_main_window >/dev/null
focus_main
xdotool key F8
caption=$(probe title Transfer) || fail "F8 showed no transfer window"
[ "$caption" = Transfer ] || fail "caption is '$caption'"
wait_status "Status : OK" "shown with the drawn preset"

# The values the picture draws, as 69 number fields.
probe set-clipboard "nothing yet" || fail "the clipboard could not be set"
click_button Copy
copied=$(wait_clipboard '^(-?[0-9.]+;){69}$')
[[ "$copied" =~ ^(-?[0-9.]+\;){69}$ ]] || fail "Copy put '$copied' on the clipboard"

click_button Clear
wait_status "Status : EMPTY values is detected" "after Clear"
[ "$(ok_enabled)" = 0 ] || fail "OK is enabled after Clear"

probe set-clipboard "Shared preset: $default_text" || fail "the clipboard could not be set"
click_button Paste
wait_status "Status : OK" "after Paste"
[ "$(ok_enabled)" = 1 ] || fail "OK is disabled after pasting the default preset"
echo "status after Paste: $(status_line)"

click_button OK
probe hidden Transfer 20 || fail "OK did not close the transfer window"
saver_running || fail "the program ended after OK"

# The picture now draws the pasted preset: shown again, it copies that text.
focus_main
xdotool key F8
probe title Transfer >/dev/null || fail "F8 showed no transfer window the second time"
wait_status "Status : OK" "shown again"
probe set-clipboard "nothing yet" || fail "the clipboard could not be set"
click_button Copy
copied=$(wait_clipboard "^$default_text\$")
[ "$copied" = "$default_text" ] || fail "Copy put '$copied' on the clipboard, not the default preset's text"
click_button Cancel
probe hidden Transfer 20 || fail "Cancel did not close the transfer window"

quit_with_escape "after Esc"
echo "PASS transfer_window"
