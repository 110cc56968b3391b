#!/usr/bin/env bash
# As an ordinary account, which Wine run as root hides: a write where the
# account may not write is refused. The prefix's system directory and the
# program's folder are read-only to it, and an older Corvane.scr sits in the
# system directory. "Install" and "Remove" report a failed copy or delete
# honestly, or "OK" only when the file really changed, and start no
# full-screen saver; the error log and snapshots go to the per-user folder,
# and the error box names that file.
# Run as root (CI), it runs again as an ordinary account (e2e_as_account).
source "$(dirname "$0")/app_lib.bash"
if [ "$(id -u)" = 0 ]; then
  for file in "$E2E_SCR" "$E2E_PROBE"; do [ -f "$file" ] || fail "$file is not built"; done
  e2e_as_account "$0"
fi

e2e_in_display "$0" "$@"
# A prefix of this account's own, made once per run.
export WINEPREFIX=$E2E_BUILD/wineprefix-standard-user
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 || true
wineserver -w
[ -f "$WINEPREFIX/system.reg" ] || fail "no Wine prefix could be made"
# The shipped file, started with no argument: its elevated copy must not
# go through the verbs of .scr files, whose default starts the saver.
e2e_setup
[ -f "$E2E_PROBE" ] || fail "window_probe.exe is not built"
SYSDIR=$(winepath -u 'C:\windows\system32')
INSTALLED=$SYSDIR/Corvane.scr
# An older copy, which the account may neither replace nor delete.
{ cat "$WORK/Corvane.scr"; echo older; } >"$INSTALLED"
cp "$INSTALLED" "$WORK/older.scr"
chmod a-w "$INSTALLED" "$SYSDIR" "$WORK"
trap 'chmod u+w "$WORK" "$SYSDIR" 2>/dev/null; e2e_cleanup; wineserver -k 2>/dev/null || true' EXIT
LOCAL_W=$(wine cmd /c 'echo %LOCALAPPDATA%' | tr -d '\r')
PER_USER=$(winepath -u "$LOCAL_W")/Corvane
[ ! -e "$PER_USER" ] || fail "the per-user folder exists before the program ran"

report() { probe texts Setup; }
# The newest report: its nine lines from "... started" on.
newest_report() { report | awk '/ started$/ { n = 9 } n-- > 0' | head -9; }
reports() { report | grep -c ' started$' || true; }
# The report number $1 has come and ended.
report_ended() { [ "$(reports)" = "$1" ] && newest_report | sed -n 8p | grep -qE '(completed|failed)$'; }
saver_windows() { probe visible | grep -xc 'Corvane' || true; }
# Presses the button; the report must end while no full-screen saver shows
# (the report comes after the elevated copy has ended, which a saver never
# does by itself).
press() {  # button
  local next=$(($(reports) + 1))
  probe click Setup "$1" || fail "no \"$1\" button"
  wait_until 120 report_ended "$next" || { report; fail "\"$1\" did not end (saver windows: $(saver_windows))"; }
  [ "$(saver_windows)" = 0 ] || fail "\"$1\" started a full-screen saver"
}
first_result() {
  local line
  line=$(newest_report | sed -n 3p)
  echo "$line" >&2
  echo "$line"
}

start_saver
probe title Setup 180 >/dev/null || fail "no Setup window at the first start"
press Install
case $(first_result) in
  *": Failed") cmp -s "$INSTALLED" "$WORK/older.scr" || fail "Install reported a failed copy, yet changed the file" ;;
  *": OK") cmp -s "$INSTALLED" "$WORK/Corvane.scr" || fail "Install reported OK, but the system directory's copy is not the program" ;;
  *) newest_report; fail "no copy result" ;;
esac
press Remove
case $(first_result) in
  *": Failed") [ -f "$INSTALLED" ] || fail "Remove reported a failed delete, yet the file is gone" ;;
  *": OK") [ ! -e "$INSTALLED" ] || fail "Remove reported OK, but the installed file is still there" ;;
  *) newest_report; fail "no delete result" ;;
esac
probe click Setup Close
wait_main_window >/dev/null

# A snapshot from the read-only folder lands in the per-user folder.
focus_main
xdotool key F9
shots() { ls "$PER_USER"/ScreenShots/_ScreenShot_*_.bmp 2>/dev/null; }
wait_until 30 shots >/dev/null || fail "no snapshot in $PER_USER/ScreenShots"
quit_with_escape "after the snapshot"

# So does the error log, and the first record's box names it.
start_saver /p abc
probe title "Application Error" 30 >/dev/null || fail "no error box"
box=$(probe texts "Application Error")
grep -qxF "For more information see logfile $LOCAL_W\\Corvane\\CorvaneErrors.log." <<<"$box" ||
  { echo "$box"; fail "the box does not name the per-user log"; }
dismiss_error_box 10
wait_saver_exit 20
grep -q "Message     :  .*is not a valid integer value" "$PER_USER/CorvaneErrors.log" ||
  fail "the record is not in the per-user log"
echo "PASS standard_user"
