#!/usr/bin/env bash
# The per-user installer, silent, in a fresh prefix: it puts each file, key,
# shortcut and file type in its place and nothing in the system directory,
# keeps a preset the user already has under a shipped name, records Setup as
# done (the shortcut opens the program window, no "Setup"), and the installed
# saver shows a shipped preset. A higher version upgrades in place, keeping
# an edited preset and the user's settings; the uninstaller takes all it
# added, keeps the presets and settings, and puts the earlier saver back.
#
# The installer is made by scripts/package from this build's Corvane.scr,
# stripped as a release is (packing the debug information is slow). Run as
# root, it runs as an ordinary account, for which the prefix's system
# directory is read-only.
source "$(dirname "$0")/app_lib.bash"
if [ "$(id -u)" = 0 ]; then
  for file in "$E2E_SCR" "$E2E_PROBE"; do [ -f "$file" ] || fail "$file is not built"; done
  e2e_as_account "$0" scripts/package installer presets res/ReadMe.txt res/corvane.rc res/icons/main.ico
fi
e2e_in_display "$0" "$@"
# Wine would mirror the shortcut and the file types into this machine's
# desktop menus.
export WINEDLLOVERRIDES="winemenubuilder.exe=d"

e2e_fresh_prefix installer
e2e_setup
WINDIR=$(winepath -u 'C:\windows')
chmod a-w "$WINDIR/system32"
trap 'chmod u+w "$WINDIR/system32"; e2e_cleanup; wineserver -k 2>/dev/null || true' EXIT
PROGRAM=$WORK/Corvane.scr
x86_64-w64-mingw32-strip -o "$PROGRAM" "$E2E_SCR"
CORVANE_PACKAGE_SCR=$PROGRAM CORVANE_PACKAGE_DIST=$WORK/dist "$E2E_ROOT/scripts/package" >/dev/null
CORVANE_PACKAGE_SCR=$PROGRAM CORVANE_PACKAGE_DIST=$WORK/dist CORVANE_PACKAGE_VERSION=1.0.0.2 \
  "$E2E_ROOT/scripts/package" >/dev/null
SETUP=$WORK/dist/Corvane-1.0.0.1-win64-setup.exe
UPGRADE=$WORK/dist/Corvane-1.0.0.2-win64-setup.exe

read -r LOCAL_W ROAMING_W <<<"$(wine cmd /c 'echo %LOCALAPPDATA% %APPDATA%' | tr -d '\r')"
INST_W="$LOCAL_W\\Programs\\Corvane"
INST=$(winepath -u "$INST_W")
LNK=$(winepath -u "$ROAMING_W\\Microsoft\\Windows\\Start Menu\\Programs\\Corvane.lnk")
UNINSTALL='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane'
CLASSES='HKCU\Software\Classes'
mapfile -t SHIPPED < <(cd "$E2E_ROOT/presets" && ls -- *.cvp | sort)
LOG=$INST/CorvaneErrors.log

# Runs to the end, the copy an NSIS uninstaller starts of itself included.
run_silently() { wine "$@" /S; wineserver -w; }
expect_value() {  # key name want
  local got
  got=$(reg_value "$1" "$2")
  [ "$got" = "$3" ] || fail "$1 $2 is \"$got\", not \"$3\""
}
# The names of the subkeys of the preset list.
stored_presets() {
  wine reg query "$E2E_KEY\\ListPresets" | tr -d '\r' | sed -n 's/^HKEY.*\\ListPresets\\//p' | sort
}
stored_preset() { reg_work_preset "$E2E_KEY\\ListPresets\\$1" | sort; }  # name
preset_file() {  # name
  tr -d '\r' <"$E2E_ROOT/presets/$1.cvp" | python3 -c '
import sys
for line in sys.stdin:
    name, _, text = line.strip().partition("=")
    print("%s=%r" % (name, float(text)))' | sort
}

# Before: another screen saver is current, and the user has a preset of
# their own under a shipped name (only its background colour is stored).
EARLIER='C:\windows\system32\Other.scr'
wine reg add 'HKCU\Control Panel\Desktop' /v SCRNSAVE.EXE /d "$EARLIER" /f >/dev/null
store_coloured_preset "Red Swarm" 0 1 0
touch "$WORK/before"

run_silently "$SETUP"
[ -z "$(find "$WINDIR" -newer "$WORK/before" -type f -iname '*corvane*')" ] || fail "a file of ours is in the Windows folder"
[ -z "$(find "$WINDIR/system32" -newer "$WORK/before" -type f)" ] || fail "the install wrote into the system directory"
cmp -s "$INST/Corvane.exe" "$PROGRAM" && cmp -s "$INST/Corvane.scr" "$PROGRAM" || fail "the program is not installed"
[ "$(cd "$INST/Presets" && ls | sort)" = "$(printf '%s\n' "${SHIPPED[@]}")" ] || fail "Presets\\ is not the shipped set"
[ "$(cd "$INST" && ls | sort | paste -sd' ')" = "Corvane.exe Corvane.scr Presets ReadMe.txt Uninstall.exe" ] ||
  fail "the program folder holds $(ls "$INST")"
[ -f "$LNK" ] && grep -qa 'Corvane.exe' "$LNK" || fail "no Start-menu shortcut to Corvane.exe"

expect_value 'HKCU\Control Panel\Desktop' SCRNSAVE.EXE "$INST_W\\Corvane.scr"
expect_value "$UNINSTALL" DisplayName Corvane
expect_value "$UNINSTALL" DisplayVersion 1.0.0.1
expect_value "$UNINSTALL" Publisher "Ostrel Corp"
expect_value "$UNINSTALL" DisplayIcon "$INST_W\\Corvane.exe,0"
expect_value "$UNINSTALL" QuietUninstallString "\"$INST_W\\Uninstall.exe\" /S"
(($(reg_value "$UNINSTALL" EstimatedSize))) || fail "the uninstall entry gives no size"
for row in "cvp Preset 1 Corvane Screen Saver preset" "cvw Wallpapers 2 Corvane Screen Saver wallpapers list"; do
  read -r ext kind icon description <<<"$row"
  class=CorvaneScreenSaver.$kind
  expect_value "$CLASSES\\.$ext" "" "$class"
  expect_value "$CLASSES\\$class" "" "$description"
  expect_value "$CLASSES\\$class\\DefaultIcon" "" "$INST_W\\Corvane.exe,$icon"
  expect_value "$CLASSES\\$class\\shell\\open\\command" "" "\"$INST_W\\Corvane.exe\" \"%1\""
done
expect_value "$E2E_KEY" ShowSetup 0x0
expect_value "$E2E_KEY\\ListPresets" Random 0x1
[ "$(stored_presets | paste -sd,)" = "$(printf '%s\n' "${SHIPPED[@]%.cvp}" | paste -sd,)" ] ||
  fail "stored presets: $(stored_presets | paste -sd,)"
[ "$(stored_preset "Violet Nebula")" = "$(preset_file "Violet Nebula")" ] || fail "Violet Nebula is not stored as shipped"
[ "$(stored_preset "Red Swarm" | wc -l)" = 4 ] || fail "the user's own Red Swarm was overwritten"

# The installed saver with a shipped preset made current: Ink on Paper is
# the one light background among them.
reg_flag ListPresets Random 0
wine reg add "$E2E_KEY\\ListPresets" /v Name /d "Ink on Paper" /f >/dev/null
WORK=$INST start_saver /s
wait_saver_window >/dev/null
sleep 2.5
read -r r g b <<<"$(screen_mean_rgb)"
xdotool key space
wait_saver_exit 10
((r > 180 && g > 180 && b > 170)) || fail "the installed saver does not show Ink on Paper ($r,$g,$b)"

# The shortcut opens the program window; Setup counts as done.
(cd "$INST" && exec wine start /wait /unix "$LNK") &
SAVER_PID=$!
wait_main_window >/dev/null
probe title Setup 0 >/dev/null && fail "Setup opened after the install"
quit_with_escape "started from the shortcut"

# A higher version over it: the user's edit and settings stay.
edited=000000000000F03F  # Points = 1, as reg prints it
wine reg add "$E2E_KEY\\ListPresets\\Teal Bloom" /v Points /t REG_BINARY /d $edited /f >/dev/null
run_silently "$UPGRADE"
expect_value "$UNINSTALL" DisplayVersion 1.0.0.2
expect_value "$E2E_KEY\\ListPresets\\Teal Bloom" Points $edited
expect_value "$E2E_KEY\\ListPresets" Random 0x0
expect_value "$E2E_KEY\\ListPresets" Name "Ink on Paper"
expect_value 'HKCU\Control Panel\Desktop' SCRNSAVE.EXE "$INST_W\\Corvane.scr"
cmp -s "$INST/Corvane.exe" "$PROGRAM" || fail "the upgrade lost the program"

run_silently "$INST/Uninstall.exe"
[ ! -e "$INST" ] || fail "the program folder is still there: $(ls -R "$INST")"
[ ! -e "$LNK" ] || fail "the shortcut is still there"
for key in "$UNINSTALL" "$CLASSES\\.cvp" "$CLASSES\\.cvw" "$CLASSES\\CorvaneScreenSaver.Preset" \
  "$CLASSES\\CorvaneScreenSaver.Wallpapers"; do
  reg_missing "$key" || fail "$key is still there"
done
expect_value 'HKCU\Control Panel\Desktop' SCRNSAVE.EXE "$EARLIER"
expect_value "$E2E_KEY\\ListPresets\\Teal Bloom" Points $edited
[ "$(stored_preset "Red Swarm" | wc -l)" = 4 ] || fail "the uninstall took the user's Red Swarm"
expect_value "$E2E_KEY\\ListPresets" Name "Ink on Paper"
[ -z "$(reg_value "$E2E_KEY" ShowSetup)$(reg_value "$E2E_KEY" FileVersion)" ] || fail "the install's records stay"
echo "PASS installer"
