#!/usr/bin/env bash
# Hostile first arguments end in a run mode or in one logged record and a
# clean exit, never in a crash or a hang.
source "$(dirname "$0")/lib.bash"
e2e_in_display "$0" "$@"
e2e_setup

expect_logged() {  # message-part arguments...
  local part=$1
  shift
  rm -f "$LOG"
  start_saver "$@"
  dismiss_error_box 20
  wait_saver_exit 10
  [ -s "$LOG" ] || fail "no log record for: $*"
  grep -q "Handler     :  Corvane.scr" "$LOG" || { cat "$LOG"; fail "record without the entry handler for: $*"; }
  grep -q "Message     :  .*$part" "$LOG" || { cat "$LOG"; fail "record does not say '$part' for: $*"; }
  [ "$(grep -c 'ProcessID' "$LOG")" = 1 ] || fail "more than one record for: $*"
}

expect_logged "is not a valid integer value" /p abc
expect_logged "is not a valid integer value" "/p" "12x"
expect_logged "ErrorCode :  1400" /p 999999
echo "PASS startup_arguments"
