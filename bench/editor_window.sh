#!/usr/bin/env bash
# Measures the preset editor under Wine in a virtual display: the time from
# a key typed into a row to the first changed frame of the main window,
# median of 20 rounds (corvane-editor-latency). Not a test: it prints the
# numbers and fails only when the program does not run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${CORVANE_BUILD_DIR:-$root/build}/windows
export WINEDEBUG=${WINEDEBUG:--all}
rounds=${CORVANE_BENCH_ROUNDS:-20}

if [ -z "${CORVANE_BENCH_DISPLAY:-}" ]; then
  CORVANE_BENCH_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$@"
fi
wineserver -w
wine "$build/tools/editor_latency/corvane-editor-latency.exe" --rounds "$rounds" 2>&1 | tr -d '\r'
