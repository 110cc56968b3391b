#!/usr/bin/env bash
# The desktop windows of the application: Ctrl+F2 edits the wallpaper list
# that the next /s draws from; Ctrl+F3 sets the background colour live;
# Ctrl+F12 shows the synchronisation and priorities in force and changes
# them; Esc in that window ends the program.
source "$(dirname "$0")/app_lib.bash"
e2e_in_display "$0" "$@"
app_setup
wine reg add "$E2E_KEY" /v ShowSetup /t REG_DWORD /d 0 /f >/dev/null

convert -size 8x8 xc:orange "$WORK/orange.bmp"
convert -size 8x8 xc:navy "$WORK/navy.bmp"
orange=$(winepath -w "$WORK/orange.bmp")
navy=$(winepath -w "$WORK/navy.bmp")
wine reg add 'HKCU\Control Panel\Desktop' /v Wallpaper /t REG_SZ /d "" /f >/dev/null

start_app
caption=$(wait_main_window)
focus_main

# Ctrl+F2: the wallpapers window, modal, with the main window out of the way.
xdotool key ctrl+F2
probe title Wallpapers 20 >/dev/null || fail "Ctrl+F2 did not show Wallpapers"
probe hidden "$caption" 20 || fail "the main window stayed visible under Wallpapers"
[ -z "$(probe rows Wallpapers)" ] || fail "rows without a stored list: $(probe rows Wallpapers)"
[ "$(controls Wallpapers | awk -F'\t' '$6 == "Changer ON" { print $4 }')" = 0 ] ||
  fail "the changer box is enabled over an empty list"

# "Add": two images chosen together in the open dialog, which starts in the
# program's folder.
click_control Wallpapers Button Add
probe title Open 20 >/dev/null || fail "Add did not open the file dialog"
click_control Open Edit "" 1
typed='"orange.bmp" "navy.bmp"'
xdotool type --delay 30 "$typed"
wait_until 10 text_is Open Edit 1 "$typed" || fail "the file name box holds '$(control_text Open Edit 1)'"
xdotool key Return
probe hidden Open 20 || fail "the file dialog did not close"
expected=$(printf 'Stretch=%s\nStretch=%s\n' "$orange" "$navy" | sort)
rows_added() { [ "$(probe rows Wallpapers | sort)" = "$expected" ]; }
wait_until 10 rows_added || fail "rows after Add: $(probe rows Wallpapers)"

click_control Wallpapers Button "Changer ON"
wait_until 10 control_checked Wallpapers Button "Changer ON" || fail "the changer box did not check"
click_control Wallpapers Button OK
probe hidden Wallpapers 20 || fail "OK did not close Wallpapers"
wait_main_window >/dev/null

list="$E2E_KEY\\ListWallpapers"
stored=$(for key in WP00000000 WP00000001; do reg_value "$list\\$key" FileName; done | sort)
expected_files=$(printf '%s\n%s\n' "$orange" "$navy" | sort)
[ "$stored" = "$expected_files" ] || fail "stored files: $stored"
for key in WP00000000 WP00000001; do
  [ "$(reg_value "$list\\$key" Style)" = 0x2 ] || fail "$key style $(reg_value "$list\\$key" Style)"
done
[ "$(reg_value "$list" State)" = 0x1 ] || fail "changer state $(reg_value "$list" State)"

# Ctrl+F3: the background window; 255 typed into R turns the picture red.
focus_main
xdotool key ctrl+F3
probe title Background 20 >/dev/null || fail "Ctrl+F3 did not show Background"
[ "$(control_text Background Edit 1)" = 0 ] || fail "R shows '$(control_text Background Edit 1)'"
read -r r g b <<<"$(main_client_rgb)"
echo "background before: $r $g $b"
[ "$r" -lt 60 ] || fail "the background is red before any change ($r $g $b)"
click_control Background Edit "" 1
xdotool key End BackSpace BackSpace BackSpace
xdotool type --delay 30 255
wait_until 10 text_is Background Edit 1 255 || fail "R shows '$(control_text Background Edit 1)'"
red_background() {
  read -r r g b <<<"$(main_client_rgb)"
  [ "$r" -gt 200 ] && [ "$g" -lt 60 ] && [ "$b" -lt 60 ]
}
wait_until 20 red_background || fail "the background did not turn red ($(main_client_rgb))"
import -window root "$E2E_BUILD/e2e-app-background.png"
echo "background after: $r $g $b"
# The editor's "Save to Reg" (F3) keeps the new colour with the preset.
focus_main
xdotool key F3
red_saved() { grep -qx "BGColorR=1.0" <(reg_work_preset); }
wait_until 20 red_saved || fail "F3 saved BGColorR=$(reg_work_preset | sed -n 's/^BGColorR=//p'), not 1"
xdotool key ctrl+F3
probe hidden Background 20 || fail "Ctrl+F3 in Background did not hide it"

# The "Background" and "Wallpapers" menu items reach the same windows; the
# wallpapers window now shows the stored list.
click_menu_item 2
probe title Background 20 >/dev/null || fail "the Background menu did not show Background"
click_menu_item 2
probe hidden Background 20 || fail "the Background menu did not hide Background"
click_menu_item 3
probe title Wallpapers 20 >/dev/null || fail "the Wallpapers menu did not show Wallpapers"
[ "$(probe rows Wallpapers | sort)" = "$expected" ] || fail "stored rows shown: $(probe rows Wallpapers)"
control_checked Wallpapers Button "Changer ON" || fail "the stored changer state is not shown"
click_control Wallpapers Button Cancel
probe hidden Wallpapers 20 || fail "Cancel did not close Wallpapers"
wait_main_window >/dev/null

# Ctrl+F12: the levels in force; a synchronisation mode chosen in the list is
# the drawing thread's when the window is shown again.
focus_main
xdotool key ctrl+F12
probe title "Enhanced settings" 20 >/dev/null || fail "Ctrl+F12 did not show Enhanced settings"
levels=$(for n in 1 2 3; do control_text "Enhanced settings" ComboBox "$n"; done | paste -sd' ')
echo "enhanced settings: $levels"
[ "$levels" = "Finish Highest Lower" ] || fail "levels shown: $levels"
list_closed() { ! probe dropped "Enhanced settings" >/dev/null; }
choose_sync() {  # key caption
  click_control "Enhanced settings" ComboBox "" 1
  xdotool key "$1" Return
  wait_until 10 text_is "Enhanced settings" ComboBox 1 "$2" ||
    fail "the list shows '$(control_text "Enhanced settings" ComboBox 1)', not $2"
  # The box shows the choice while its list is still open; the list holds the
  # keyboard until Return reaches it, so the hot key waits for it to close.
  wait_until 20 list_closed || fail "the drop-down list did not close on Return"
  focus_main
  xdotool key ctrl+F12
  probe hidden "Enhanced settings" 20 || fail "Ctrl+F12 did not hide Enhanced settings"
  xdotool key ctrl+F12
  probe title "Enhanced settings" 20 >/dev/null || fail "Ctrl+F12 did not show Enhanced settings again"
  [ "$(control_text "Enhanced settings" ComboBox 1)" = "$2" ] ||
    fail "shown again with '$(control_text "Enhanced settings" ComboBox 1)', not $2"
}
choose_sync Home None
choose_sync End Finish

# Esc pressed in the enhanced settings window ends the program.
activate_window "Enhanced settings"
xdotool key Escape
expect_clean_exit "after Esc"

# The next saver session draws from the list the window stored.
run_saver_session
wallpaper=$(desktop_value Wallpaper)
echo "wallpaper after /s: '$wallpaper', style '$(desktop_value WallpaperStyle)'"
wine reg add 'HKCU\Control Panel\Desktop' /v Wallpaper /t REG_SZ /d "" /f >/dev/null
[ "$wallpaper" = "$orange" ] || [ "$wallpaper" = "$navy" ] || fail "the wallpaper is '$wallpaper'"
echo "PASS app_desktop_windows"
