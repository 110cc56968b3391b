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
E2E_PROBE=$E2E_BUILD/windows/tests/e2e/window_probe.exe
E2E_KEY='HKCU\Software\Ostrel Corp\Corvane'

# Re-run the calling script inside Xvfb unless it already is.
e2e_in_display() {  # "$0" "$@"
  if [ -z "${CORVANE_E2E_DISPLAY:-}" ]; then
    CORVANE_E2E_DISPLAY=1 exec xvfb-run -a -s "-screen 0 800x600x24" bash "$@"
  fi
}

# Re-run the calling script in an X server whose RandR reports two monitors,
# 1280x1024 each, side by side (the left one primary), unless it already
# runs in one. Xvfb cannot: its Xinerama screens all sit at 0,0 and its
# RandR has one output, so Wine sees one monitor. Xorg's dummy driver has
# sixteen outputs that RandR lets us place. Xorg needs root and the package
# xserver-xorg-video-dummy (and xrandr from x11-xserver-utils).
e2e_in_monitors_display() {  # "$0" "$@"
  [ -z "${CORVANE_E2E_DISPLAY:-}" ] || return 0
  command -v Xorg >/dev/null && [ -f /usr/lib/xorg/modules/drivers/dummy_drv.so ] && command -v xrandr >/dev/null ||
    fail "two monitors need Xorg, its dummy driver and xrandr"
  local dir status=0 number
  dir=$(mktemp -d)
  cat >"$dir/xorg.conf" <<'CONF'
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 131072
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
EndSection
CONF
  exec 3>"$dir/display"
  Xorg -config "$dir/xorg.conf" -displayfd 3 -noreset -nolisten tcp -logfile "$dir/xorg.log" >/dev/null 2>&1 &
  local server=$!
  exec 3>&-
  wait_until 30 test -s "$dir/display" || { kill "$server"; fail "Xorg did not start (log in $dir)"; }
  number=$(cat "$dir/display")
  DISPLAY=:$number e2e_set_monitors 1280x1024+0+0 1280x1024+1280+0 || status=$?
  ((status)) || CORVANE_E2E_DISPLAY=1 DISPLAY=:$number bash "$@" || status=$?
  kill "$server"
  wait "$server" 2>/dev/null || true
  rm -rf "$dir"
  exit "$status"
}

# Lays the monitors out as RandR outputs, the first one primary; any output
# not named is switched off. Each is WxH+X+Y, of a mode the server offers
# (1280x1024, 1024x768, 800x600, ...). A running Wine sees the change.
e2e_set_monitors() {  # geometry...
  local args=() index=0 width=0 height=0 geometry size x y
  for geometry in "$@"; do
    size=${geometry%%+*}
    IFS=+ read -r _ x y <<<"$geometry"
    xrandr --addmode "DUMMY$index" "$size" 2>/dev/null || true
    args+=(--output "DUMMY$index" --mode "$size" --pos "${x}x${y}")
    ((index)) || args+=(--primary)
    width=$((width > x + ${size%x*} ? width : x + ${size%x*}))
    height=$((height > y + ${size#*x} ? height : y + ${size#*x}))
    index=$((index + 1))
  done
  for ((; index < 16; index++)); do args+=(--output "DUMMY$index" --off); done
  xrandr --fb "${width}x${height}" "${args[@]}"
  # Wine reads the server's current outputs without probing them; until a
  # client probes once, it still finds the layout the server started with.
  xrandr >/dev/null
}

# To standard error, so that a failure inside $(...) or behind >/dev/null
# still reaches the log.
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Any other command that stops the script names itself and its line.
set -E
trap 'echo "FAIL: \"$BASH_COMMAND\" returned $? (line $LINENO of $(basename "$0"))" >&2' ERR

# Points WINEPREFIX at build/wineprefix-<name>, a fresh copy of a prefix in
# which no program has run (made once, then never run in).
e2e_fresh_prefix() {  # name
  local template=$E2E_BUILD/wineprefix-pristine
  if [ ! -f "$template/system.reg" ]; then
    rm -rf "$template"
    WINEPREFIX=$template wineboot -i >/dev/null 2>&1 || true
    WINEPREFIX=$template wineserver -w
    [ -f "$template/system.reg" ] || fail "no Wine prefix could be made"
  fi
  export WINEPREFIX=$E2E_BUILD/wineprefix-$1
  [ ! -d "$WINEPREFIX" ] || wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX"
  cp -a "$template" "$WINEPREFIX"
}

# Run as root (CI), re-runs the calling script as an ordinary account, which
# Wine run as root hides (a write where the account may not write is
# refused), and exits with its status. The account is made when missing;
# the script, the helpers, the programs it runs and the files it names (paths
# from the root) are copied into a folder the account owns, since the
# clone's parent folders may be closed to it.
E2E_ACCOUNT=${CORVANE_STANDARD_USER:-corvane-user}
e2e_as_account() {  # script [file...]
  local script=$1 stage status=0
  shift
  id -u "$E2E_ACCOUNT" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$E2E_ACCOUNT"
  stage=$(mktemp -d "${TMPDIR:-/tmp}/corvane-standard-user.XXXXXX")
  trap "rm -rf '$stage'" EXIT
  mkdir -p "$stage/tests/e2e" "$stage/build/windows/src/shell" "$stage/build/windows/tests/e2e"
  cp "$E2E_ROOT"/tests/e2e/{lib.bash,app_lib.bash} "$script" "$stage/tests/e2e/"
  if (($#)); then (cd "$E2E_ROOT" && cp -r --parents "$@" "$stage/"); fi
  cp "$E2E_SCR" "$stage/build/windows/src/shell/"
  cp "$E2E_PROBE" "$E2E_BUILD/windows/tests/e2e/answer_box.exe" "$stage/build/windows/tests/e2e/"
  chown -R "$E2E_ACCOUNT" "$stage"
  runuser -u "$E2E_ACCOUNT" -- env -i PATH="$PATH" HOME="$stage" USER="$E2E_ACCOUNT" LOGNAME="$E2E_ACCOUNT" \
    WINEDEBUG="$WINEDEBUG" CORVANE_BUILD_DIR="$stage/build" bash "$stage/tests/e2e/$(basename "$script")" || status=$?
  # What the failed run kept for a person to look at.
  cp "$stage"/build/e2e-*.png "$E2E_BUILD/" 2>/dev/null || true
  exit "$status"
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

# On the way out of a failed script, shows what the program was doing.
e2e_cleanup() {
  local status=$?
  ((status == 0)) || e2e_failure_details
  [ -n "${SAVER_PID:-}" ] && kill "$SAVER_PID" 2>/dev/null || true
  wine reg delete "$E2E_KEY" /f >/dev/null 2>&1 || true
  rm -rf "$WORK"
}

e2e_failure_details() {
  trap - ERR
  if [ -n "${SAVER_PID:-}" ]; then
    local code=0
    if kill -0 "$SAVER_PID" 2>/dev/null; then echo "the program is still running"; else
      wait "$SAVER_PID" 2>/dev/null || code=$?
      echo "the program ended with exit code $code"
    fi
  fi
  [ ! -s "${LOG:-}" ] || { echo "its error log:"; cat "$LOG"; }
  if [ -f "$E2E_PROBE" ]; then
    echo "visible windows:"
    timeout 30 wine "$E2E_PROBE" visible 2>/dev/null | tr -d '\r' | sed 's/^/  /' || true
  fi
  # CORVANE_E2E_BACKTRACE=1 also keeps every thread's stack, for a hang.
  if [ -n "${CORVANE_E2E_BACKTRACE:-}" ]; then
    timeout 120 wine winedbg --command "bt all" 2>&1 | tr -d '\r' >"$E2E_BUILD/e2e-bt-$(basename "$0" .sh).txt" || true
  fi
  import -window root "$E2E_BUILD/e2e-failed-$(basename "$0" .sh).png" 2>/dev/null || true
} >&2

start_saver() {  # arguments...
  (cd "$WORK" && exec wine "$WORK/Corvane.scr" "$@") &
  SAVER_PID=$!
}

saver_running() { kill -0 "$SAVER_PID" 2>/dev/null; }
saver_ended() { ! saver_running; }

# Runs a command every 0.1 s until it succeeds; false once $1 seconds of
# wall time have passed, however slow each try is on a loaded machine.
wait_until() {  # seconds command...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# Waits until the program started last has ended; its exit code lands in
# SAVER_EXIT. Fails after $1 seconds.
wait_saver_exit() {  # seconds
  wait_until "$1" saver_ended || fail "the program did not end within $1 s"
  SAVER_EXIT=0
  wait "$SAVER_PID" 2>/dev/null || SAVER_EXIT=$?
  SAVER_PID=
}

# Prints the X id of the first visible window whose name matches.
x_window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 | grep .; }

# Waits for a visible window titled "Corvane"; prints its X id.
wait_saver_window() {
  wait_until 30 x_window_named '^Corvane$' || fail "no saver window appeared"
}

# Presets of a small figure over a background colour, so that the screen's
# mean colour tells which preset a session shows. The values are stored the
# way the program stores them (8-byte doubles), in one registry import: a
# Wine start per value is slow on a loaded machine.
store_coloured_presets() {  # r g b name...
  python3 - "$E2E_KEY" "$@" >"$WORK/presets.reg" <<'PY'
import struct, sys
key, r, g, b, *names = sys.argv[1:]
print("Windows Registry Editor Version 5.00")
for name in names:
    print("\n[%s\\ListPresets\\%s]" % (key.replace("HKCU", "HKEY_CURRENT_USER", 1), name))
    for value, number in (("BGColorR", r), ("BGColorG", g), ("BGColorB", b), ("Lines", 3)):
        print('"%s"=hex:%s' % (value, ",".join("%02x" % x for x in struct.pack("<d", float(number)))))
PY
  wine reg import "$WORK/presets.reg" >/dev/null 2>&1
}
store_coloured_preset() { store_coloured_presets "$2" "$3" "$4" "$1"; }  # name r g b

# Stores preset files (Name=value lines) in the list under their file names.
store_preset_files() {  # file...
  python3 - "$E2E_KEY" "$@" >"$WORK/files.reg" <<'PY'
import os, struct, sys
key, *files = sys.argv[1:]
print("Windows Registry Editor Version 5.00")
for path in files:
    print("\n[%s\\ListPresets\\%s]" % (key.replace("HKCU", "HKEY_CURRENT_USER", 1), os.path.basename(path)[:-4]))
    for line in open(path):
        value, number = line.strip().split("=")
        print('"%s"=hex:%s' % (value, ",".join("%02x" % x for x in struct.pack("<d", float(number)))))
PY
  wine reg import "$WORK/files.reg" >/dev/null 2>&1
}

reg_flag() {  # subkey (empty: the program key itself) value 0|1
  wine reg add "$E2E_KEY${1:+\\$1}" /v "$2" /t REG_DWORD /d "$3" /f >/dev/null
}

# Mean colour of the screen as "R G B" (0..255).
screen_mean_rgb() {
  import -window root "$WORK/screen.png"
  convert "$WORK/screen.png" -resize 1x1\! -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}

# A registry value's data as `reg query` prints it (REG_DWORD as 0x…);
# without a name, the key's default value; empty when missing.
reg_value() {  # key [name]
  local query=(/ve) n='(Default)'
  [ -z "${2:-}" ] || query=(/v "$2") n=$2
  wine reg query "$1" "${query[@]}" 2>/dev/null | tr -d '\r' |
    awk -v n="$n" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}

# Whether a registry key is missing.
reg_missing() { ! wine reg query "$1" >/dev/null 2>&1; }

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

# One /s session: its screen's mean colour once the figure has settled,
# then a key ends it.
saver_session_rgb() {
  start_saver /s
  wait_saver_window >/dev/null
  sleep 2.5
  screen_mean_rgb
  xdotool key space
  wait_saver_exit 10
}

log_is_empty() { [ ! -s "$LOG" ]; }

# The first log record of a process shows "Application Error" once; answers
# it with OK. Fails when no box appears within $1 seconds.
dismiss_error_box() {
  wine "$E2E_BUILD/windows/tests/e2e/answer_box.exe" "Application Error" "$1" || fail "no \"Application Error\" box appeared"
}
