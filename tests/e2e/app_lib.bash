# Shared by the end-to-end scripts of the application window: runs
# Corvane.exe (no argument) from the fresh folder lib.bash made, and reads
# its windows through the window system with window_probe.exe.
source "$(dirname "${BASH_SOURCE[0]}")/lib.bash"

E2E_EXE=$(dirname "$E2E_SCR")/Corvane.exe

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

# The program ends with exit code 0 and nothing logged.
expect_clean_exit() {  # after-what
  wait_saver_exit 20
  [ "$SAVER_EXIT" = 0 ] || fail "exit code $SAVER_EXIT $1"
  log_is_empty || { cat "$LOG"; fail "the error log is not empty $1"; }
}

# Esc in the main window ends the program cleanly.
quit_with_escape() {  # after-what
  focus_main
  xdotool key Escape
  expect_clean_exit "$1"
}

probe() { wine "$E2E_PROBE" "$@" | tr -d '\r'; }

# Waits for the main window; prints its caption.
wait_main_window() {
  probe title "Corvane | " 60 || fail "no main window appeared"
}

# The X window of the main window (for xdotool).
main_x_window() { wait_until 60 x_window_named '^Corvane \| ' || fail "no X window for the main window"; }

# Gives the main window the keyboard, as a click on it would: through X and,
# since X focus alone leaves an owned window active in the program (the
# editor after its message box), through the window system as well.
focus_main() {
  local id
  id=$(main_x_window)
  xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id" 2>/dev/null || true
  probe foreground "Corvane | " 10 || fail "the main window did not come to the front"
}

# Gives a window of the program the keyboard through the window system.
activate_window() {  # caption
  local id
  id=$(x_window_named "^$1\$") || fail "no X window \"$1\""
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


# The controls of a top-level window, as window_probe lists them (tab
# separated: class, centre x, centre y, enabled, checked, text).
controls() { probe controls "$1"; }

# The text of the n-th (1-based) control of a class in the window.
control_text() {  # window class n
  controls "$1" | awk -F'\t' -v c="$2" -v n="$3" '$1 == c && ++i == n { print $6; exit }'
}

text_is() {  # window class n text
  [ "$(control_text "$1" "$2" "$3")" = "$4" ]
}

# Clicks the centre of the first control of that class and text; an empty
# text with n picks the n-th control of the class instead.
click_control() {  # window class text [n]
  local at
  at=$(controls "$1" | awk -F'\t' -v c="$2" -v t="$3" -v n="${4:-0}" \
    '$1 == c && ((n == 0 && $6 == t) || (n > 0 && ++i == n)) { print $2, $3; exit }')
  [ -n "$at" ] || fail "no $2 \"$3$4\" in \"$1\""
  xdotool mousemove ${at% *} ${at#* } click 1
}

# Whether the first control of that class and text is checked.
control_checked() {  # window class text
  [ "$(controls "$1" | awk -F'\t' -v c="$2" -v t="$3" '$1 == c && $6 == t { print $5; exit }')" = 1 ]
}

# Mean colour "R G B" (0..255) of a band inside the main window's client
# area, left of the middle where the tool windows sit.
main_client_rgb() {
  local x y width height
  read -r x y width height <<<"$(probe menubar "Corvane | ")"
  import -window root -crop "120x80+$((x + 10))+$((y + height + 10))" +repage "$WORK/client.png"
  convert "$WORK/client.png" -resize 1x1\! -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:
}

# Clicks the n-th item of the main window's menu bar. The items are found
# from the dark text pixels along the bar's middle rows: they lie further
# apart than the letters of one caption.
click_menu_item() {  # n
  local x y width height row at
  read -r x y width height <<<"$(probe menubar "Corvane | ")"
  row=$((y + height / 2))
  import -window root -crop "${width}x5+${x}+$((row - 2))" +repage "$WORK/bar.png"
  convert "$WORK/bar.png" -colorspace Gray -threshold 50% "$WORK/bar.txt"
  at=$(grep -E '^[0-9]+,[0-9]+: .*#000000' "$WORK/bar.txt" | cut -d, -f1 | sort -n -u |
    awk -v n="$1" 'NR == 1 || $1 - last > 6 { if (++item == n + 1) exit; first = $1 } { last = $1 }
                   END { if (item >= n) print int((first + last) / 2) }')
  [ -n "$at" ] || fail "no menu item $1 in the bar"
  xdotool mousemove $((x + at)) "$row" click 1
}

# Name=Value lines of a preset stored in the registry (the working preset
# unless a key is given).
reg_work_preset() {
  wine reg query "${1:-$E2E_KEY\\WorkPreset}" | tr -d '\r' | python3 -c '
import struct, sys
for line in sys.stdin:
    parts = line.split()
    if len(parts) == 3 and parts[1] == "REG_BINARY":
        print("%s=%r" % (parts[0], struct.unpack("<d", bytes.fromhex(parts[2]))[0]))'
}
