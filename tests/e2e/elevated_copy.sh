#!/usr/bin/env bash
# The elevated half of "Install": the exact argument alone copies the running
# file into the system directory and answers by exit code; anything near it
# takes none of that path.
source "$(dirname "$0")/lib.bash"
e2e_in_display "$0" "$@"
e2e_setup
SYS_SCR=$(winepath -u 'C:\windows\system32\Corvane.scr')
trap 'rm -f "$SYS_SCR"; e2e_cleanup' EXIT
rm -f "$SYS_SCR"

# Near misses first: none of them may put a file into the system directory.
for argument in /ELEVATED-INSTALL-COPY /elevated-install-copyx; do
  start_saver "$argument"
  # Not the copy: the ordinary start-up runs; its error box, if any, is answered.
  wine "$E2E_BUILD/windows/tests/e2e/answer_box.exe" "Application Error" 5 >/dev/null 2>&1 || true
  kill "$SAVER_PID" 2>/dev/null || true
  wait_saver_exit 10
  [ ! -e "$SYS_SCR" ] || fail "$argument copied the program"
done
(cd "$WORK" && wine "$WORK/Corvane.scr" /elevated-install-copy /s) &
SAVER_PID=$!
wine "$E2E_BUILD/windows/tests/e2e/answer_box.exe" "Application Error" 5 >/dev/null 2>&1 || true
kill "$SAVER_PID" 2>/dev/null || true
wait_saver_exit 10
[ ! -e "$SYS_SCR" ] || fail "the copy argument with another argument copied the program"

rm -f "$LOG"
(cd "$WORK" && wine "$WORK/Corvane.scr" /elevated-install-copy) || fail "the copy answered exit code $?"
cmp -s "$SYS_SCR" "$WORK/Corvane.scr" || fail "the system directory holds no copy of the program"
log_is_empty || { cat "$LOG"; fail "the copy wrote the error log"; }
echo "PASS elevated_copy"
