#!/usr/bin/env bash
# Redraws the three icons (ImageMagick). The .ico files are committed; run
# this only to change the drawings.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# MAINICON: a swarm of short strokes fanning out of a bright point, red to blue.
args=()
for i in $(seq 0 23); do
  a=$(echo "$i * 15 * 3.14159 / 180" | bc -l)
  r1=$(echo "30 + 6 * s($a * 3)" | bc -l); r2=$(echo "$r1 + 70 + 20 * c($a * 2)" | bc -l)
  x1=$(echo "128 + $r1 * c($a)" | bc -l); y1=$(echo "128 + $r1 * s($a)" | bc -l)
  x2=$(echo "128 + $r2 * c($a + 0.5)" | bc -l); y2=$(echo "128 + $r2 * s($a + 0.5)" | bc -l)
  red=$(( 255 - i * 10 )); blue=$(( 40 + i * 9 ))
  args+=(-stroke "rgb($red,40,$blue)" -draw "line $x1,$y1 $x2,$y2")
done
convert -size 256x256 xc:none -fill black -draw "circle 128,128 128,4" -strokewidth 9 "${args[@]}" \
  -fill white -stroke none -draw "circle 128,128 128,114" "$tmp/main.png"

# PRESETICON: a page with three rows of coloured sliders.
convert -size 256x256 xc:none -fill white -stroke gray30 -strokewidth 8 -draw "roundrectangle 40,16 216,240 18,18" \
  -stroke none -fill "rgb(220,50,60)" -draw "rectangle 72,64 184,84" \
  -fill "rgb(60,170,80)" -draw "rectangle 72,118 150,138" \
  -fill "rgb(60,90,220)" -draw "rectangle 72,172 200,192" "$tmp/preset.png"

# WALLPAPERSICON: two framed pictures, one over the other.
convert -size 256x256 xc:none -fill "rgb(40,60,120)" -stroke gray20 -strokewidth 8 \
  -draw "rectangle 16,40 176,160" -fill "rgb(230,150,40)" -draw "rectangle 80,96 240,216" \
  -stroke none -fill "rgb(250,230,120)" -draw "circle 200,130 214,130" "$tmp/wallpapers.png"

for name in main preset wallpapers; do
  convert "$tmp/$name.png" -define icon:auto-resize=256,48,32,16 "$name.ico"
done
