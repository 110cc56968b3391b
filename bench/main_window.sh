#!/usr/bin/env bash
# Measures the application's main window under Wine in a virtual display:
#   - frames per second at 640x480 with the default preset, beside the
#     figure window of corvane-window-fps on the same machine;
#   - the CPU time of the real Corvane.exe over 10 s while its picture is
#     paused (another window active) and while it is minimised, each counted
#     only once the state has been reached (a Wine program started under
#     load takes seconds to show, and those seconds were drawn ones); and,
#     for comparison, while the time is frozen by the Pause key, which keeps
#     drawing so that a drag still moves the picture.
# Not a test: it prints numbers and the ratio, and fails only when a
# program does not run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${CORVANE_BUILD_DIR:-$root/build}/windows
export WINEDEBUG=${WINEDEBUG:--all}
seconds=${CORVANE_BENCH_SECONDS:-5}
idle=${CORVANE_BENCH_IDLE_SECONDS:-10}

if [ -z "${CORVANE_BENCH_DISPLAY:-}" ]; then
  CORVANE_BENCH_DISPLAY=1 exec xvfb-run -a -s "-screen 0 800x600x24" bash "$0" "$@"
fi
wineserver -w

figure=$(wine "$build/tools/window_fps/corvane-window-fps.exe" --size 640x480 --seconds "$seconds" \
  --renderer offscreen 2>/dev/null | tr -d '\r')
main=$(wine "$build/tools/main_window_fps/corvane-main-window-fps.exe" --seconds "$seconds" \
  --idle-seconds "$idle" 2>/dev/null | tr -d '\r')
echo "$figure"
echo "$main"
figure_fps=$(sed -nE 's/.* ([0-9.]+) frames\/s.*/\1/p' <<<"$figure")
main_fps=$(sed -nE 's/^main window .* ([0-9.]+) frames\/s.*/\1/p' <<<"$main")
awk -v m="$main_fps" -v f="$figure_fps" \
  'BEGIN { printf "main window / figure window: %.1f / %.1f frames/s = %.3f (%.1f %% slower)\n", m, f, m / f, (1 - m / f) * 100 }'

# The real program: CPU time of its process from /proc while paused and
# while minimised.
# ShowSetup=0 keeps "Setup" from opening at the first show.
work=$(mktemp -d)
key='HKCU\Software\Ostrel Corp\Corvane'
wine reg query "$key" >/dev/null 2>&1 && had_key=1 || had_key=
trap 'rm -rf "$work"; [ -n "$had_key" ] || wine reg delete "$key" /f >/dev/null 2>&1' EXIT
wine reg add "$key" /v ShowSetup /t REG_DWORD /d 0 /f >/dev/null
cp "$build/src/shell/Corvane.exe" "$work/"
probe=$build/tests/e2e/window_probe.exe
(cd "$work" && exec wine "$work/Corvane.exe") &
app=$!
wine "$probe" title "Corvane | " 60 >/dev/null
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$app/stat"; }
measure() {  # what
  sleep 1
  local before after
  before=$(cpu_ticks)
  sleep "$idle"
  after=$(cpu_ticks)
  awk -v d=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$idle" -v what="$1" \
    'BEGIN { printf "Corvane.exe %-9s CPU time %.2f %% of one core over %d s\n", what, d / hz / s * 100, s }'
}
sleep 3
before=$(cpu_ticks); sleep 2; after=$(cpu_ticks)
awk -v d=$((after - before)) -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "Corvane.exe drawing   CPU time %.0f %% of one core\n", d / hz / 2 * 100 }'
wine "$probe" activate-other $((idle + 30)) &
other=$!
wine "$probe" title Probe 30 >/dev/null
measure paused
kill "$other" 2>/dev/null || true
wait "$other" 2>/dev/null || true
wine "$probe" minimize "Corvane | " 5
wine "$probe" iconic "Corvane | " 30
measure minimised
# Back, active, and the time frozen by the Pause key.
wine "$probe" restore "Corvane | " 5
sleep 2
id=$(xdotool search --onlyvisible --name '^Corvane \| ' | head -1)
xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus "$id" || true
xdotool key --window "$id" Pause
measure frozen
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
