# Shared by the end-to-end scripts: each runs the real Corvane.scr under Wine
# in its own virtual display, from a copy in a fresh folder so that its error
# log and snapshots are its own. Wine runs in the build's own prefix (made by
# scripts/test), never in the user's: the scripts delete the program key and
# change the wallpaper.
set -euo pipefail
export WINEDEBUG=${WINEDEBUG:--all}
E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_BUILD=${CORVANE_BUILD_DIR:-$E2E_ROOT/build}
export WINEPREFIX=$E2E_BUILD/wineprefix
E2E_SCR=$E2E_BUILD/windows/src/shell/Corvane.scr
E2E_KEY='HKCU\Software\Ostrel Corp\Corvane'

# Re-run the calling script inside Xvfb unless it already is.
e2e_in_display() {  # "$0" "$@"
  if [ -z "${CORVANE_E2E_DISPLAY:-}" ]; then
    CORVANE_E2E_DISPLAY=1 exec xvfb-run -a -s "-screen 0 800x600x24" bash "$@"
  fi
}

fail() {
  echo "FAIL: $*"
  exit 1
}

e2e_setup() {
  [ -f "$E2E_SCR" ] || fail "Corvane.scr is not built ($E2E_SCR)"
  # A Wine server still alive from an earlier run keeps that run's display
  # and its screen size; start with a fresh one on this display.
  wineserver -w
  WORK=$(mktemp -d)
  cp "$E2E_SCR" "$WORK/Corvane.scr"
  LOG=$WORK/CorvaneErrors.log
  SAVER_PID=
  trap e2e_cleanup EXIT
  wine reg delete "$E2E_KEY" /f >/dev/null 2>&1 || true
}

e2e_cleanup() {
  [ -n "${SAVER_PID:-}" ] && kill "$SAVER_PID" 2>/dev/null || true
  wine reg delete "$E2E_KEY" /f >/dev/null 2>&1 || true
  rm -rf "$WORK"
}

start_saver() {  # arguments...
  (cd "$WORK" && exec wine "$WORK/Corvane.scr" "$@") &
  SAVER_PID=$!
}

saver_running() { kill -0 "$SAVER_PID" 2>/dev/null; }

# Waits until the saver process has ended; fails after $1 seconds.
wait_saver_exit() {
  local seconds=$1
  for _ in $(seq $((seconds * 10))); do
    saver_running || { wait "$SAVER_PID" 2>/dev/null || true; SAVER_PID=; return 0; }
    sleep 0.1
  done
  fail "the saver did not end within $seconds s"
}

# Waits for a visible window titled "Corvane"; prints its X id.
wait_saver_window() {
  local id
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name '^Corvane$' 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  fail "no saver window appeared"
}

# Writes a named preset's parameter (a double) the way the program stores it.
reg_preset_param() {  # preset name value
  local hex
  hex=$(python3 -c 'import struct,sys; print(struct.pack("<d", float(sys.argv[1])).hex())' "$3")
  wine reg add "$E2E_KEY\\ListPresets\\$1" /v "$2" /t REG_BINARY /d "$hex" /f >/dev/null
}

# A preset of a small figure over a background colour, so that the screen's
# mean colour tells which preset a session shows.
store_coloured_preset() {  # name r g b
  reg_preset_param "$1" BGColorR "$2"
  reg_preset_param "$1" BGColorG "$3"
  reg_preset_param "$1" BGColorB "$4"
  reg_preset_param "$1" Lines 3
}

reg_flag() {  # subkey value 0|1
  wine reg add "$E2E_KEY\\$1" /v "$2" /t REG_DWORD /d "$3" /f >/dev/null
}

# Mean colour of the screen as "R G B" (0..255).
screen_mean_rgb() {
  import -window root "$WORK/screen.png"
  convert "$WORK/screen.png" -resize 1x1\! -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}

# A registry value's data as `reg query` prints it (REG_DWORD as 0x…).
reg_value() {  # key name
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}

# A value of the desktop settings the wallpaper changer writes.
desktop_value() { reg_value 'HKCU\Control Panel\Desktop' "$1"; }

# One full-screen session, ended by a key: pressed again until the saver
# ends, since its window may not have the keyboard yet.
run_saver_session() {
  start_saver /s
  wait_saver_window >/dev/null
  for _ in $(seq 40); do
    saver_running || break
    xdotool key space
    sleep 0.5
  done
  wait_saver_exit 10
}

log_is_empty() { [ ! -s "$LOG" ]; }

# The first log record of a process shows "Application Error" once; answers
# it with OK. Fails when no box appears within $1 seconds.
dismiss_error_box() {
  wine "$E2E_BUILD/windows/tests/e2e/answer_box.exe" "Application Error" "$1" || fail "no \"Application Error\" box appeared"
}
