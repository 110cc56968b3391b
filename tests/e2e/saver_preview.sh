#!/usr/bin/env bash
# /p <handle> draws into a parent window of another program, ignores input,
# and ends when the parent is destroyed; the error log stays empty.
source "$(dirname "$0")/lib.bash"
e2e_in_display "$0" "$@"
e2e_setup
host=$E2E_BUILD/windows/tests/e2e/preview_host.exe
[ -f "$host" ] || fail "preview_host.exe is not built"
(cd "$WORK" && timeout 120 wine "$host" "$WORK/Corvane.scr") || fail "the preview checks failed"
log_is_empty || { cat "$LOG"; fail "the error log is not empty after the preview"; }
echo "PASS saver_preview"
