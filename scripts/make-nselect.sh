#!/usr/bin/env bash
# Draws resources/nselect.bmp, the picture shown for a card without a picture:
# 320 x 240, black and white (1 bit per pixel), one line of text near the top
# and one near the bottom. Run once; the result is committed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
convert -size 320x240 xc:white -font "$font" -pointsize 15 -fill black \
  -gravity north -annotate +0+24 "Nevybrali jste žádný obrázek." \
  -gravity south -annotate +0+24 "Klikněte zde pro vybrání." \
  -threshold 50% -type bilevel -colors 2 "BMP3:$root/resources/nselect.bmp"
