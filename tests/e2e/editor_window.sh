#!/usr/bin/env bash
# The preset editor from the application window: F12 shows "Settings" with
# its seven tabs and the preset being drawn; a value typed into a row
# changes the picture; F4 writes a preset file that corvane-preset reads
# back with the values shown and F7 loads it again; F3 then F6 go through
# the registry; "Add" and "Delete" keep the list and the registry in step;
# a file that cannot be read is reported and the picture runs on.
source "$(dirname "$0")/app_lib.bash"
if [ -z "${CORVANE_E2E_DISPLAY:-}" ]; then
  # Wide enough for the editor to stand beside the main window.
  CORVANE_E2E_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
app_setup
PRESET_TOOL=$E2E_BUILD/native/tools/preset/corvane-preset
[ -f "$PRESET_TOOL" ] || fail "the native corvane-preset is not built ($PRESET_TOOL)"

# The middle of the main window on this screen, where the figure is.
shot() { import -window root -crop 320x240+480+392 +repage "$WORK/$1.png"; }

reg_work_param() {  # name value
  local hex
  hex=$(python3 -c 'import struct,sys; print(struct.pack("<d", float(sys.argv[1])).hex())' "$2")
  wine reg add "$E2E_KEY\\WorkPreset" /v "$1" /t REG_BINARY /d "$hex" /f >/dev/null
}

editor_x_window() { xdotool search --onlyvisible --name '^Settings' 2>/dev/null | head -1; }

focus_editor() {
  local id
  id=$(editor_x_window)
  [ -n "$id" ] || fail "no X window for the editor"
  xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id" 2>/dev/null || true
}

click_at() {  # "x y"
  # shellcheck disable=SC2086
  xdotool mousemove $1 click 1
}

# Row n (0-based) of the shown page: all its text replaced by typing.
type_into_row() {  # n text
  local at
  at=$(probe where Settings ComboBox "$1") || fail "no row $1 on the shown page"
  click_at "$at"
  xdotool key End shift+Home
  xdotool type --delay 50 "$2"
  sleep 0.5
}

row_text() { probe combos Settings | sed -n "$(($1 + 1))p"; }
row_is() { [ "$(row_text "$1")" = "$2" ]; }  # n text
list_item_is() { [ "$(probe items Settings 63)" = "$1" ]; }  # text

# Answers the common file dialog titled $1 with the file name $2.
answer_file_dialog() {  # title name
  probe title "$1" 20 >/dev/null || fail "no \"$1\" dialog"
  sleep 0.5
  xdotool key End shift+Home
  xdotool type --delay 30 "$2"
  xdotool key Return
  probe hidden "$1" 20 || fail "the \"$1\" dialog stayed open"
}

reg_work_param Lines 222
reg_work_param MidAX 350.5
reg_work_param MotionBlur 8

start_app
wait_main_window >/dev/null
focus_main
xdotool key F12
probe title "Settings" 20 >/dev/null || fail "F12 showed no \"Settings\" window"
probe move Settings 0 0
tabs=$(probe tabs Settings | paste -sd '|')
[ "$tabs" = "Spec.|Amp.|Freq.|Phase|Vector|Color|Look At" ] || fail "tabs: $tabs"
[ "$(row_text 1)" = 222 ] || fail "the Lines row shows $(row_text 1), not the working preset's 222"
[ "$(row_text 9)" = 350.5 ] || fail "the MidAX row shows $(row_text 9)"
[ "$(probe trackbar Settings)" = 8 ] || fail "the motion blur slider is not at 8"

# A typed value changes the figure: 3 lines instead of 222.
expect_motion moving 0.5 10 "the running figure"
shot before-row
lit_before=$(lit_share before-row)
focus_editor
type_into_row 1 3
figure_shrunk() {
  shot after-row
  changed=$(pixels_differing before-row after-row)
  lit_after=$(lit_share after-row)
  ((changed > 500)) && awk -v a="$lit_before" -v b="$lit_after" 'BEGIN { exit !(b < a / 2) }'
}
wait_until 20 figure_shrunk ||
  fail "the typed row did not shrink the figure to 3 lines ($changed pixels changed, lit share $lit_before -> $lit_after)"
keep_shot before-row editor-before-row
keep_shot after-row editor-after-row
echo "row typed: $changed pixels changed, lit share $lit_before -> $lit_after"

# F4: the file holds the values the editor shows.
focus_editor
xdotool key F4
answer_file_dialog "Save As" saved
[ -f "$WORK/saved.cvp" ] || fail "F4 wrote no saved.cvp"
shown=$("$PRESET_TOOL" show "$WORK/saved.cvp")
[ "$(wc -l <<<"$shown")" = 69 ] || fail "corvane-preset shows $(wc -l <<<"$shown") lines"
rows=$(probe combos Settings | head -63)
[ "$(cut -d= -f2 <<<"$shown" | head -63)" = "$rows" ] || fail "the file's values 1..63 are not the rows'"
grep -qx "Lines=3" <<<"$shown" || fail "the typed Lines=3 is not in the file"
blending=$(($(probe checked Settings) - 1))
grep -qx "Blending=$blending" <<<"$shown" || fail "the file's Blending is not the selected $blending"
grep -qx "MotionBlur=8" <<<"$shown" || fail "the file's MotionBlur is not 8"

# F3 writes the same 69 values to the registry (the file keeps 15
# significant digits); F6 brings them back.
echo "$shown" >"$WORK/file.txt"
registry_holds_file() {
  reg_work_preset >"$WORK/registry.txt"
  python3 - "$WORK/registry.txt" "$WORK/file.txt" <<'PY'
import sys
def values(path):
    return {name: float(value) for name, value in (line.strip().split("=") for line in open(path) if line.strip())}
stored, saved = values(sys.argv[1]), values(sys.argv[2])
assert len(saved) == 69 and stored.keys() == saved.keys(), (sorted(stored), sorted(saved))
for name, value in saved.items():
    assert abs(stored[name] - value) <= 1e-14 * max(1.0, abs(value)), (name, stored[name], value)
PY
}
xdotool key F3
wait_until 20 registry_holds_file 2>/dev/null || { registry_holds_file; fail "F3 stored other values than the file holds"; }
type_into_row 1 50
[ "$(row_text 1)" = 50 ] || fail "the row did not take 50"
focus_editor
xdotool key F6
wait_until 10 row_is 1 3 || fail "F6 did not bring Lines=3 back (row shows $(row_text 1))"

# F7 loads the file again.
type_into_row 1 77
focus_editor
xdotool key F7
answer_file_dialog "Open" saved.cvp
wait_until 10 row_is 1 3 || fail "F7 did not load Lines=3 (row shows $(row_text 1))"

# Add puts the file's preset into the list and the registry; Delete removes both.
click_at "$(probe where Settings Button =Add)"
answer_file_dialog "Open" saved.cvp
wait_until 10 list_item_is saved || fail "the list holds \"$(probe items Settings 63)\" after Add"
wine reg query "$E2E_KEY\\ListPresets\\saved" /v Lines >/dev/null 2>&1 || fail "Add stored nothing"
click_at "$(probe where Settings Button =Delete)"
wait_until 10 list_item_is "" || fail "the list is not empty after Delete"
if wine reg query "$E2E_KEY\\ListPresets\\saved" >/dev/null 2>&1; then fail "Delete left the preset stored"; fi

# A file that cannot be read: the system's message, and the picture runs on
# (the default preset first, for a figure large enough to see moving).
click_at "$(probe where Settings Button =Default)"
wait_until 10 row_is 1 333 || fail "\"Default\" did not load the default Lines (row shows $(row_text 1))"
focus_editor
xdotool key F7
answer_file_dialog "Open" missing.cvp
owner=$(wine "$E2E_BUILD/windows/tests/e2e/answer_box.exe" "Corvane" 20) || fail "no message for the missing file"
# The box belongs to the stay-on-top editor, so it is in front of it and blocks it.
case "$owner" in Settings*) ;; *) fail "the message box is owned by \"$owner\", not the editor" ;; esac
expect_motion moving 0.5 10 "after the failed load"

quit_with_escape "after Esc"
echo "PASS editor_window"
