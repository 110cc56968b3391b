# Shared by the end-to-end scripts of the application window: runs
# Corvane.exe (no argument) from the fresh folder lib.bash made, and reads
# its windows through the window system with window_probe.exe.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"

E2E_EXE=$(dirname "$E2E_SCR")/Corvane.exe
E2E_PROBE=$E2E_BUILD/windows/tests/e2e/window_probe.exe
APP_EXIT=

app_setup() {
  e2e_setup
  [ -f "$E2E_EXE" ] || fail "Corvane.exe is not built ($E2E_EXE)"
  [ -f "$E2E_PROBE" ] || fail "window_probe.exe is not built ($E2E_PROBE)"
  cp "$E2E_EXE" "$WORK/Corvane.exe"
}

start_app() {  # arguments...
  (cd "$WORK" && exec wine "$WORK/Corvane.exe" "$@") &
  SAVER_PID=$!
}

# Waits until the program has ended; its exit code lands in APP_EXIT.
wait_app_exit() {  # seconds
  for _ in $(seq $(($1 * 10))); do
    if ! saver_running; then
      APP_EXIT=0
      wait "$SAVER_PID" || APP_EXIT=$?
      SAVER_PID=
      return 0
    fi
    sleep 0.1
  done
  fail "the program did not end within $1 s"
}

probe() { wine "$E2E_PROBE" "$@" | tr -d '\r'; }

# Waits for the main window; prints its caption.
wait_main_window() {
  probe title "Corvane | " 60 || fail "no main window appeared"
}

# The X window of the main window (for xdotool).
main_x_window() {
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name '^Corvane \| ' 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  fail "no X window for the main window"
}

# Gives the main window the keyboard: activates it through the window
# system and clicks its centre, which changes nothing in the picture.
focus_main() {
  local id
  id=$(main_x_window)
  xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id" 2>/dev/null || true
}

# A screenshot of the middle of the screen, where the figure is.
shot() {  # name
  import -window root -crop 320x240+240+180 +repage "$WORK/$1.png"
}

# Pixels that differ by more than a small tolerance.
pixels_differing() {  # a b
  compare -metric AE -fuzz 6% "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 | sed 's/ .*//' || true
}

# Share of pixels brighter than the dark background.
lit_share() {  # name
  convert "$WORK/$1.png" -colorspace Gray -threshold 12% -format '%[fx:mean]' info:
}

# Polls until two screenshots taken $2 seconds apart differ (moving) or
# agree (still); fails after $3 attempts.
expect_motion() {  # moving|still seconds attempts what
  local want=$1 gap=$2 attempts=$3 what=$4 diff
  for _ in $(seq "$attempts"); do
    shot motion-a
    sleep "$gap"
    shot motion-b
    diff=$(pixels_differing motion-a motion-b)
    if [ "$want" = moving ] && [ "$diff" -gt 200 ]; then return 0; fi
    if [ "$want" = still ] && [ "$diff" -lt 50 ]; then return 0; fi
  done
  fail "$what: the picture is not $want ($diff pixels differ)"
}
