#!/usr/bin/env bash
# A wallpapers-list file as the argument: only "Wallpapers" is shown, filled
# from the file (not from the stored list); closing it ends the program with
# nothing logged.
source "$(dirname "$0")/app_lib.bash"
e2e_in_display "$0" "$@"
app_setup
wine reg add "$E2E_KEY" /v ShowSetup /t REG_DWORD /d 0 /f >/dev/null
wine reg add "$E2E_KEY\\ListWallpapers\\WP00000000" /v FileName /t REG_SZ /d 'C:\stored.bmp' /f >/dev/null

printf 'Tile=C:\\Pictures\\sea.jpg\r\nCenter=C:\\Pictures\\hill.bmp\r\nstretch=D:\\x.png\r\n' >"$WORK/list.cvw"
start_app list.cvw
probe title Wallpapers 60 >/dev/null || fail "no Wallpapers window"
rows=$(probe rows Wallpapers)
echo "$rows"
[ "$rows" = "$(printf 'Tile=C:\\Pictures\\sea.jpg\nCenter=C:\\Pictures\\hill.bmp\nstretch=D:\\x.png')" ] ||
  fail "rows are not the file's: $rows"
# Every window the start shows is shown before the message loop runs.
visible=$(probe visible)
[ "$visible" = Wallpapers ] || fail "visible windows: $visible"

click_control Wallpapers Button Cancel
expect_clean_exit "after closing Wallpapers"
echo "PASS app_wallpapers_list"
