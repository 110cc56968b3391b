#!/usr/bin/env bash
# With the changer on and a list of existing and missing images, the end of a
# /s run sets an existing image as the wallpaper, with its style.
source "$(dirname "$0")/lib.bash"
e2e_in_display "$0" "$@"
e2e_setup

convert -size 8x8 xc:orange "$WORK/orange.bmp"
convert -size 8x8 xc:navy "$WORK/navy.bmp"
orange=$(winepath -w "$WORK/orange.bmp")
navy=$(winepath -w "$WORK/navy.bmp")
missing=$(winepath -w "$WORK/missing.bmp")

add_entry() {  # key style file
  wine reg add "$E2E_KEY\\ListWallpapers\\$1" /v Style /t REG_DWORD /d "$2" /f >/dev/null
  wine reg add "$E2E_KEY\\ListWallpapers\\$1" /v FileName /t REG_SZ /d "$3" /f >/dev/null
}

add_entry WP00000000 1 "$orange"
add_entry WP00000001 2 "$navy"
add_entry WP00000002 0 "$missing"
reg_flag ListWallpapers State 1
wine reg add 'HKCU\Control Panel\Desktop' /v Wallpaper /t REG_SZ /d "" /f >/dev/null

changed=no
for run in 1 2 3 4 5 6; do
  run_saver_session
  wallpaper=$(desktop_value Wallpaper)
  echo "run $run: wallpaper '$wallpaper', tile '$(desktop_value TileWallpaper)', style '$(desktop_value WallpaperStyle)'"
  case $wallpaper in
    "") ;;  # the missing entry was drawn: nothing changes
    "$orange") [ "$(desktop_value TileWallpaper)" = 1 ] || fail "tile style not set"; changed=yes ;;
    "$navy") [ "$(desktop_value WallpaperStyle)" = 2 ] && [ "$(desktop_value TileWallpaper)" = 0 ] ||
      fail "stretch style not set"; changed=yes ;;
    *) fail "unexpected wallpaper '$wallpaper'" ;;
  esac
  [ "$changed" = yes ] && break
done
[ "$changed" = yes ] || fail "six saver runs never changed the wallpaper"
wine reg add 'HKCU\Control Panel\Desktop' /v Wallpaper /t REG_SZ /d "" /f >/dev/null
log_is_empty || { cat "$LOG"; fail "the error log is not empty"; }
echo "PASS saver_wallpaper"
