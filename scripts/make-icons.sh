#!/usr/bin/env bash
# Draws the program's icon, a card-index box with cards standing in it: the
# scalable SVG and the PNGs of the usual hicolor sizes, all from one list of
# shapes on a 256 x 256 canvas, into resources/desktop/icons/hicolor. Run once;
# the results are committed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
icons="$root/resources/desktop/icons/hicolor"
name="cz.pelvarin.kartoteka"
sizes=(16 22 24 32 48 64 128 256)

# Each shape: "rect X Y WIDTH HEIGHT RADIUS FILL STROKE STROKE_WIDTH"
#          or "line X1 Y1 X2 Y2 STROKE STROKE_WIDTH" (round caps).
shapes=(
  "rect 58 30 140 120 10 #e4dcc8 #6f6552 5"
  "rect 150 44 42 30 7 #f3d36b #6f6552 5"
  "rect 46 58 164 110 10 #f1ebdc #6f6552 5"
  "rect 34 84 188 100 10 #fffdf6 #6f6552 5"
  "line 58 108 160 108 #7f9fcb 8"
  "line 58 130 132 130 #7f9fcb 8"
  "rect 16 134 224 100 16 #2f6db5 #1b4476 6"
  "rect 22 140 212 14 7 #5a92d6 none 0"
  "rect 94 166 68 38 6 #e3ecf8 #1b4476 5"
  "line 108 185 148 185 #1b4476 6"
)

svg_shape() {
  set -- $1
  case $1 in
    rect) echo "  <rect x=\"$2\" y=\"$3\" width=\"$4\" height=\"$5\" rx=\"$6\" fill=\"$7\" stroke=\"$8\" stroke-width=\"$9\"/>" ;;
    line) echo "  <line x1=\"$2\" y1=\"$3\" x2=\"$4\" y2=\"$5\" stroke=\"$6\" stroke-width=\"$7\" stroke-linecap=\"round\"/>" ;;
  esac
}

mvg_shape() {
  set -- $1
  case $1 in
    rect)
      local stroke=$8 width=$9
      [ "$stroke" = none ] && width=0
      echo "fill '$7' stroke '$stroke' stroke-width $width roundrectangle $2,$3 $(($2 + $4)),$(($3 + $5)) $6,$6" ;;
    line) echo "fill none stroke '$6' stroke-width $7 stroke-linecap round line $2,$3 $4,$5" ;;
  esac
}

mkdir -p "$icons/scalable/apps"
{
  echo '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">'
  for shape in "${shapes[@]}"; do svg_shape "$shape"; done
  echo '</svg>'
} >"$icons/scalable/apps/$name.svg"

mvg=""
for shape in "${shapes[@]}"; do mvg+="$(mvg_shape "$shape") "; done
for size in "${sizes[@]}"; do
  dir="$icons/${size}x${size}/apps"
  mkdir -p "$dir"
  scale=$(awk "BEGIN { print $size / 256 }")
  convert -size "${size}x${size}" xc:none -draw "scale $scale,$scale $mvg" \
    -define png:exclude-chunks=date,time -strip "PNG32:$dir/$name.png"
done
