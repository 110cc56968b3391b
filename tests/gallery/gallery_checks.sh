#!/usr/bin/env bash
# The shipped presets as pictures, at a small size and few ticks so the
# whole check stays near a minute on two cores:
#   show           corvane-preset prints every file, value for value
#   deterministic  two runs of scripts/gallery give the same thumbnails
#   distinct       every pair of thumbnails differs clearly (closest pair printed)
#   alive          every preset moves: two frames 3 s of figure time apart differ
# Thresholds are mean absolute differences over all channels, 0..1.
set -u
root=$1 render=$2 preset_tool=$3 work=$4
size=128x96
ticks=90
# The figures cover little of a dark picture, so differences are small in
# absolute terms. One preset rendered with another seed (other random solid
# shapes) differed from itself by 0.00005 to 0.0004 here; a pair of presets
# must differ by clearly more than a preset differs from itself.
distinct_min=0.001
# A frozen figure gives identical frames (0); the slowest shipped preset
# moves by about 0.0006 in 3 s at this size, seed noise stays near 0.0004
# of a whole picture, so 0.0004 tells "moves" from "frozen".
alive_min=0.0004
alive_lines=48  # the figure is grown after a few dozen ticks, so only motion is left
jobs=$(nproc)

rm -rf "$work"
mkdir -p "$work"
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
mae() {  # picture, picture -> the normalised mean absolute difference
  compare -metric MAE "$1" "$2" null: 2>&1 | sed -E 's/.*\((.*)\).*/\1/'
}
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
value_of() { tr -d '\r' <"$1" | awk -F= -v key="$2" '$1 == key { print $2; exit }'; }

presets=("$root"/presets/*.cvp)
for file in "${presets[@]}"; do
  if ! diff <(tr -d '\r' <"$file") <("$preset_tool" show "$file") >/dev/null; then
    fail "corvane-preset show $file does not print the file"
  fi
done

for run in one two; do
  bash "$root/scripts/gallery" --render "$render" --out "$work/$run" --size "$size" --ticks "$ticks" --no-sheet \
    >/dev/null || fail "scripts/gallery run $run"
done
names=()
for file in "${presets[@]}"; do
  name=$(basename "$file" .cvp)
  names+=("$name")
  cmp -s "$work/one/$name.png" "$work/two/$name.png" || fail "deterministic: $name differs between two runs"
done

closest=1 closest_pair=
for ((i = 0; i < ${#names[@]}; i++)); do
  for ((j = i + 1; j < ${#names[@]}; j++)); do
    d=$(mae "$work/one/${names[i]}.png" "$work/one/${names[j]}.png")
    above "$d" "$distinct_min" || fail "distinct: ${names[i]} and ${names[j]} differ by only $d"
    if above "$closest" "$d"; then
      closest=$d
      closest_pair="${names[i]} and ${names[j]}"
    fi
  done
done
echo "closest pair: $closest_pair, mean absolute difference $closest"

alive() {  # preset file: frames 3 s of figure time apart, with few lines
  local file=$1 name grown later
  name=$(basename "$file" .cvp)
  grown=$((alive_lines + $(value_of "$file" Points) + 10))
  later=$(awk -v t="$(value_of "$file" Ticks)" -v g="$grown" 'BEGIN { printf "%d", g + 3000 / t }')
  for n in "$grown" "$later"; do
    LP_NUM_THREADS=0 "$render" --preset "$file" --set Lines=$alive_lines --size "$size" --ticks "$n" --seed 1 \
      --out "$work/alive/$name-$n" >/dev/null || return 1
  done
  mae "$work/alive/$name-$grown/frame-0001.png" "$work/alive/$name-$later/frame-0001.png" >"$work/alive/$name.mae"
}
mkdir -p "$work/alive"
running=0
for file in "${presets[@]}"; do
  alive "$file" &
  running=$((running + 1))
  if ((running >= jobs)); then
    wait -n
    running=$((running - 1))
  fi
done
wait
for name in "${names[@]}"; do
  d=$(cat "$work/alive/$name.mae" 2>/dev/null || echo 0)
  above "$d" "$alive_min" || fail "alive: $name changes by only $d in 3 s of figure time"
done

[ "$failures" -eq 0 ] && echo "all gallery checks passed"
[ "$failures" -eq 0 ]
