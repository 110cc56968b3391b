#!/usr/bin/env bash
# Install and remove from the release package, in a Wine prefix no program
# has run in: the first start shows "Setup" with its check box and the
# information block; "Install" copies, stores every shipped preset, writes
# the list flags and the per-user file types; the next start shows no
# "Setup" and /s shows a stored preset; "Remove" undoes each step, a second
# "Remove" finds nothing to do, and a ".cvp" that another program took over
# stays. The report area is read through the window system.
#
# The zip is made by scripts/package from this build's Corvane.scr (a clean
# release build is too slow for this suite); its layout is the release's.
# Wine has no display control panel: the prefix gets the stand-in desk.cpl
# built beside these scripts, which records the chosen screen saver where
# Windows does, so that "Remove" can find it.
source "$(dirname "$0")/app_lib.bash"
e2e_in_display "$0" "$@"

APPLET=$E2E_BUILD/windows/tests/e2e/desk.cpl
[ -f "$APPLET" ] || fail "desk.cpl is not built ($APPLET)"
e2e_fresh_prefix setup
app_setup --first-show
trap 'e2e_cleanup; wineserver -k 2>/dev/null || true' EXIT
SYSDIR=$(winepath -u 'C:\windows\system32')
cp "$APPLET" "$SYSDIR/desk.cpl"

CORVANE_PACKAGE_SCR=$E2E_SCR CORVANE_PACKAGE_DIST=$WORK/dist "$E2E_ROOT/scripts/package" >/dev/null
mkdir "$WORK/unzipped"
(cd "$WORK/unzipped" && unzip -q "$WORK"/dist/Corvane-*-win64.zip)
PROGRAM=$WORK/unzipped/Corvane.scr
PROGRAM_W=$(winepath -w "$PROGRAM" | tr -d '\r')
mapfile -t SHIPPED < <(cd "$WORK/unzipped/Presets" && ls -- *.cvp | sed 's/\.cvp$//' | sort)
((${#SHIPPED[@]} > 0)) || fail "the package holds no presets"
CLASSES='HKCU\Software\Classes'

# Every run is the unzipped program's, with its error log beside it.
LOG=$WORK/unzipped/CorvaneErrors.log
start_saver() {  # arguments...
  (cd "$WORK/unzipped" && exec wine "$PROGRAM" "$@") &
  SAVER_PID=$!
}
report() { probe texts Setup; }
# The newest report: its nine lines from "... started" on.
newest_report() { report | awk '/ started$/ { n = 9 } n-- > 0' | head -9; }
report_ends() { newest_report | sed -n 8p | grep -qx "$1"; }
press() {  # button; then waits for the report to end with $2
  probe click Setup "$1" || fail "no \"$1\" button"
  wait_until 60 report_ends "$2" || { report; fail "\"$1\" did not end with \"$2\""; }
}
expect_results() {  # word word word word
  local results
  results=$(newest_report | sed -n '3,6p' | sed 's/.* : //' | paste -sd' ')
  [ "$results" = "$*" ] || { newest_report; fail "results are \"$results\", not \"$*\""; }
}
setup_closed() { ! probe title Setup 0 >/dev/null; }
close_setup() {
  probe click Setup Close
  wait_until 20 setup_closed || fail "Close did not close Setup"
}

# First start: "Setup" by itself, before the main window shows; the first
# program in a new prefix is slow to start.
start_saver
probe title Setup 180 >/dev/null || fail "no Setup window at the first start"
[ "$(probe shown Setup "Don't show this window again")" = shown ] || fail "the check box is hidden"
texts=$(report)
for line in "Information" "Current screen saver : None" "Version of this executable file      : 1.0.0.1" \
  "Version of Corvane registry entries  : N/A" "Version of Corvane.scr in the SysDir : N/A"; do
  grep -qxF "$line" <<<"$texts" || { echo "$texts"; fail "no information line \"$line\""; }
done
probe title "Corvane | " 0 >/dev/null && fail "the main window showed before Setup closed"

press Install "Installation completed"
expect_results OK OK OK OK
cmp -s "$SYSDIR/Corvane.scr" "$PROGRAM" || fail "C:\\windows\\system32\\Corvane.scr is not the program"
mapfile -t stored < <(wine reg query "$E2E_KEY\\ListPresets" 2>/dev/null | tr -d '\r' |
  sed -n 's/^HKEY_CURRENT_USER\\Software\\Ostrel Corp\\Corvane\\ListPresets\\//p' | sort)
[ "${stored[*]}" = "${SHIPPED[*]}" ] || fail "stored presets: ${stored[*]}; shipped: ${SHIPPED[*]}"
name=$(reg_value "$E2E_KEY\\ListPresets" Name)
printf '%s\n' "${SHIPPED[@]}" | grep -qxF "$name" || fail "the current preset \"$name\" is not a shipped one"
[ "$(reg_value "$E2E_KEY\\ListPresets" Random)" = 0x1 ] || fail "Random is not on"
[ "$(reg_value "$E2E_KEY\\ListPresets" Shuffle)" = 0x1 ] || fail "Shuffle is not on"
[ "$(reg_value 'HKCU\Control Panel\Desktop' SCRNSAVE.EXE)" = 'C:\windows\system32\Corvane.scr' ] ||
  fail "the applet was not asked to select the installed file"
for row in "cvp Preset 1 Corvane Screen Saver preset" "cvw Wallpapers 2 Corvane Screen Saver wallpapers list"; do
  read -r ext kind icon description <<<"$row"
  class=CorvaneScreenSaver.$kind
  [ "$(reg_value "$CLASSES\\.$ext")" = "$class" ] || fail ".$ext does not name $class"
  [ "$(reg_value "$CLASSES\\$class")" = "$description" ] || fail "$class is not described"
  [ "$(reg_value "$CLASSES\\$class\\DefaultIcon")" = "$PROGRAM_W,$icon" ] || fail "$class icon"
  [ "$(reg_value "$CLASSES\\$class\\shell\\open\\command")" = "\"$PROGRAM_W\" \"%1\"" ] || fail "$class command"
done
close_setup
wait_main_window >/dev/null
quit_with_escape "after Install"

# Installed: the next start shows no "Setup" (the main window shows only
# after the first-show question is settled).
start_saver
wait_main_window >/dev/null
setup_closed || fail "Setup opened again after Install"
quit_with_escape "at the second start"

# /s shows a stored preset: each is given a green background here, which
# the default preset does not have.
store_coloured_presets 0 1 0 "${SHIPPED[@]}"
read -r r g b <<<"$(saver_session_rgb)"
((g > 150 && r < 80)) || fail "/s does not show a stored preset ($r,$g,$b)"

# "Remove", twice; "ShowSetup" brings the window back at the first show.
reg_flag "" ShowSetup 1
start_saver
probe title Setup 60 >/dev/null || fail "ShowSetup=1 did not bring Setup back"
press Remove "Uninstallation completed"
expect_results OK OK OK OK
[ ! -e "$SYSDIR/Corvane.scr" ] || fail "the installed file is still there"
reg_missing "$E2E_KEY" || fail "the program key is still there"
for key in .cvp .cvw CorvaneScreenSaver.Preset CorvaneScreenSaver.Wallpapers; do
  reg_missing "$CLASSES\\$key" || fail "$key is still there"
done
probe click Setup Remove
wait_until 60 eval '[ "$(report | grep -c "^Uninstallation completed$")" = 2 ]' || fail "the second Remove did not end"
expect_results Skipped Skipped Skipped Skipped

# Another program's ".cvp" stays; only our class goes.
press Install "Installation completed"
wine reg add "$CLASSES\\.cvp" /ve /d Other.Document /f >/dev/null
press Remove "Uninstallation completed"
expect_results OK OK OK OK
[ "$(reg_value "$CLASSES\\.cvp")" = Other.Document ] || fail "Remove took another program's .cvp"
reg_missing "$CLASSES\\CorvaneScreenSaver.Preset" || fail "CorvaneScreenSaver.Preset is still there"
close_setup
wait_main_window >/dev/null
quit_with_escape "after Remove"
echo "PASS setup_window"
