# Shared by the end-to-end scripts of the application window: runs
# Corvane.exe (no argument) from the fresh folder lib.bash made, and reads
# its windows through the window system with window_probe.exe.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"

E2E_EXE=$(dirname "$E2E_SCR")/Corvane.exe
E2E_PROBE=$E2E_BUILD/windows/tests/e2e/window_probe.exe

# With --first-show the program key stays missing, as on a machine that
# never ran the program, so that "Setup" opens by itself; otherwise
# ShowSetup=0 keeps it out of the way.
app_setup() {  # [--first-show]
  e2e_setup
  [ -f "$E2E_EXE" ] || fail "Corvane.exe is not built ($E2E_EXE)"
  [ -f "$E2E_PROBE" ] || fail "window_probe.exe is not built ($E2E_PROBE)"
  cp "$E2E_EXE" "$WORK/Corvane.exe"
  [ "${1:-}" = --first-show ] || reg_flag "" ShowSetup 0
}

start_app() {  # arguments...
  (cd "$WORK" && exec wine "$WORK/Corvane.exe" "$@") &
  SAVER_PID=$!
}

# Esc in the main window ends the program with exit code 0 and nothing logged.
quit_with_escape() {  # what
  focus_main
  xdotool key Escape
  wait_saver_exit 20
  [ "$SAVER_EXIT" = 0 ] || fail "exit code $SAVER_EXIT after Esc"
  log_is_empty || { cat "$LOG"; fail "the error log is not empty $1"; }
}

probe() { wine "$E2E_PROBE" "$@" | tr -d '\r'; }

# Waits for the main window; prints its caption.
wait_main_window() {
  probe title "Corvane | " 60 || fail "no main window appeared"
}

# The X window of the main window (for xdotool).
main_x_window() { wait_until 20 x_window_named '^Corvane \| ' || fail "no X window for the main window"; }

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

# Keeps a picture beside the build for a person to look at.
keep_shot() { cp "$WORK/$1.png" "$E2E_BUILD/e2e-$2.png"; }  # shot kept-name
keep_screen() { import -window root "$E2E_BUILD/e2e-$1.png"; }  # kept-name

# Waits for a window to show (after the key or click named); prints the
# texts of its children.
texts_when_shown() {  # caption what
  probe title "$1" 10 >/dev/null || fail "$2 did not show $1"
  probe texts "$1"
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
