#!/usr/bin/env bash
# Draws a sample workpiece picture to measure on: a plate with holes, a slot and a step.
set -euo pipefail
out=${1:?usage: sample.sh OUT.jpg}
convert -size 1600x1200 gradient:'#b8b8b0-#8c8c84' \
  -fill '#303030' -stroke none -draw "roundrectangle 220,180 1380,1020 40,40" \
  -fill '#c8c8c0' -draw "circle 500,450 500,330" \
  -fill '#c8c8c0' -draw "circle 1100,450 1100,370" \
  -fill '#c8c8c0' -draw "rectangle 420,760 1180,860" \
  -fill none -stroke '#e0e0d8' -strokewidth 3 -draw "arc 700,250 900,450 180,360" \
  -quality 92 "$out"
