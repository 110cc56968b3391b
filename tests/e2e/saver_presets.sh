#!/usr/bin/env bash
# With Random set and presets stored, a session starts with one of them
# (told apart by their background colours); without Random the current
# preset is shown, and with Shuffle off it stays. With Evolve the session
# shows a child of two stored presets and remembers it; the configuration
# dialog keeps that child in the list under the name the user gives it.
source "$(dirname "$0")/lib.bash"
e2e_in_display "$0" "$@"
e2e_setup

# Prints "red", "green" or "other" for the screen's dominant colour.
session_colour() {
  read -r r g b <<<"$(saver_session_rgb)"
  if ((r > 150 && g < 80)); then echo red; elif ((g > 150 && r < 80)); then echo green; else echo "other($r,$g,$b)"; fi
}

store_coloured_preset "Red sky" 1 0 0
store_coloured_preset "Green sea" 0 1 0
reg_flag ListPresets Random 1
reg_flag ListPresets Shuffle 0
seen=""
for run in 1 2 3 4 5 6; do
  colour=$(session_colour)
  echo "random session $run: $colour"
  case $colour in red | green) seen="$seen $colour" ;; *) fail "a random session showed neither stored preset" ;; esac
done

reg_flag ListPresets Random 0
wine reg add "$E2E_KEY\\ListPresets" /v Name /t REG_SZ /d "Green sea" /f >/dev/null
start_saver /s
wait_saver_window >/dev/null
for check in 1 2 3; do
  sleep 1.5
  read -r r g b <<<"$(screen_mean_rgb)"
  ((g > 150 && r < 80)) || fail "the current preset is not shown throughout the session ($r,$g,$b)"
done
xdotool key space
wait_saver_exit 10

# Evolve: the session shows a child of two stored presets, remembered with
# its parents and seed apart from the list, and unlike either parent.
wine reg delete "$E2E_KEY\\ListPresets" /f >/dev/null 2>&1
store_preset_files "$E2E_ROOT/presets/Jade Ribbon.cvp" "$E2E_ROOT/presets/Tiger Eye.cvp"
reg_flag ListPresets Evolve 1
start_saver /s
wait_saver_window >/dev/null
child_key="$E2E_KEY\\EvolvedPresets\\0"
remembered() { wine reg query "$child_key" /v Order >/dev/null 2>&1; }
wait_until 30 remembered || fail "no child was remembered"
xdotool key space
wait_saver_exit 10
child=$(wine reg query "$child_key" | tr -d '\r')
grep -Eq "ParentA +REG_SZ +(Jade Ribbon|Tiger Eye)$" <<<"$child" || fail "the child's first parent is not remembered: $child"
grep -Eq "ParentB +REG_SZ +(Jade Ribbon|Tiger Eye)$" <<<"$child" || fail "the child's second parent is not remembered"
grep -Eq "Seed +REG_SZ +[0-9]+$" <<<"$child" || fail "the child's seed is not remembered"
values() { wine reg query "$1" | tr -d '\r' | grep REG_BINARY | sort; }
for parent in "Jade Ribbon" "Tiger Eye"; do
  [ "$(values "$E2E_KEY\\ListPresets\\$parent")" != "$(values "$child_key")" ] || fail "the child is $parent again"
done
[ "$(wine reg query "$E2E_KEY\\ListPresets" | grep -c "ListPresets\\\\")" = 2 ] || fail "the child went into the list"

# Keep: /c lists the remembered child with its parents' names, proposes
# them as its name, and "Keep" adds it under the edited name; OK writes it.
host=$E2E_BUILD/windows/tests/e2e/config_host.exe
start_saver /c
wait_until 30 x_window_named '^Corvane Screen Saver$' >/dev/null || fail "no dialog appeared"
proposed="$(reg_value "$child_key" ParentA) × $(reg_value "$child_key" ParentB)"
wine "$host" select "1. $proposed" || fail "the child \"1. $proposed\" is not listed"
name_edit=$(wine "$E2E_PROBE" controls "Corvane Screen Saver" | tr -d '\r' | awk -F'\t' '$1 == "Edit"' | tail -1)
[ "$(cut -f6 <<<"$name_edit")" = "$proposed" ] || fail "the proposed name is not the parents' ($name_edit)"
xdotool mousemove "$(cut -f2 <<<"$name_edit")" "$(cut -f3 <<<"$name_edit")" click 1 key End shift+Home
xdotool type "Kept child"
for button in Keep OK; do
  read -r x y <<<"$(wine "$host" centre "$button" | tr -d '\r')"
  xdotool mousemove "$x" "$y" click 1
done
wait_saver_exit 20
[ "$(reg_value "$E2E_KEY\\ListPresets" Name)" = "Kept child" ] || fail "the kept child is not current"
[ "$(values "$E2E_KEY\\ListPresets\\Kept child")" = "$(values "$child_key")" ] || fail "the list has no \"Kept child\" with the child's values"
log_is_empty || { cat "$LOG"; fail "the error log is not empty"; }
echo "PASS saver_presets (random sessions:$seen; an evolved child, kept)"
