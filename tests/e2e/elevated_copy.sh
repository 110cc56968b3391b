#!/usr/bin/env bash
# The elevated halves of "Install" and "Remove": each exact argument alone
# copies the running file into the system directory, or deletes that copy,
# and answers by exit code; anything near them takes none of that path.
source "$(dirname "$0")/lib.bash"
e2e_in_display "$0" "$@"
e2e_setup
SYS_SCR=$(winepath -u 'C:\windows\system32\Corvane.scr')
trap 'rm -f "$SYS_SCR"; e2e_cleanup' EXIT

installed_state() { [ -e "$SYS_SCR" ] && echo present || echo absent; }

# Not an elevated half: the ordinary start-up runs, its error box (if any)
# is answered, and the system directory stays as it was.
near_miss() {
  local before
  before=$(installed_state)
  start_saver "$@"
  wine "$E2E_BUILD/windows/tests/e2e/answer_box.exe" "Application Error" 5 >/dev/null 2>&1 || true
  kill "$SAVER_PID" 2>/dev/null || true
  wait_saver_exit 10
  [ "$(installed_state)" = "$before" ] || fail "'$*' changed the system directory"
}

rm -f "$SYS_SCR" "$LOG"
near_miss /ELEVATED-INSTALL-COPY
near_miss /elevated-install-copyx
near_miss /elevated-install-copy /s
(cd "$WORK" && wine "$WORK/Corvane.scr" /elevated-install-copy) || fail "the copy answered exit code $?"
cmp -s "$SYS_SCR" "$WORK/Corvane.scr" || fail "the system directory holds no copy of the program"
log_is_empty || { cat "$LOG"; fail "the copy wrote the error log"; }

near_miss /ELEVATED-REMOVE-COPY
near_miss /elevated-remove-copyx
near_miss /elevated-remove-copy /s
(cd "$WORK" && wine "$WORK/Corvane.scr" /elevated-remove-copy) || fail "the removal answered exit code $?"
[ ! -e "$SYS_SCR" ] || fail "the removal left the installed file"
(cd "$WORK" && wine "$WORK/Corvane.scr" /elevated-remove-copy) && fail "removing a missing file answered 0"
log_is_empty || { cat "$LOG"; fail "the removal wrote the error log"; }
echo "PASS elevated_copy"
