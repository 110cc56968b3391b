#!/usr/bin/env bash
# A machine without OpenGL32.dll: the program imports nothing from it, so it
# starts, logs "OpenGL is not initialized." from its entry block and ends,
# instead of being refused by the system loader with nothing logged.
source "$(dirname "$0")/lib.bash"
e2e_in_display "$0" "$@"
e2e_setup

imports=$(x86_64-w64-mingw32-objdump -p "$E2E_SCR" | grep 'DLL Name:')
[ -n "$imports" ] || fail "no import table read from $E2E_SCR"
if grep -qi 'opengl32' <<<"$imports"; then
  fail "Corvane.scr imports OpenGL32.dll:"$'\n'"$imports"
fi

# Wine's way of taking a system library away from a process.
export WINEDLLOVERRIDES="opengl32=d"
start_saver /s
dismiss_error_box 30
wait_saver_exit 20
grep -q "Handler     :  Corvane.scr" "$LOG" || { cat "$LOG"; fail "no record from the entry block"; }
grep -q "Message     :  OpenGL is not initialized." "$LOG" || { cat "$LOG"; fail "the missing library was not told"; }
[ "$(grep -c 'ProcessID' "$LOG")" = 1 ] || { cat "$LOG"; fail "more than one record"; }
echo "PASS startup_without_opengl32"
