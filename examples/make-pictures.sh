#!/usr/bin/env bash
# Draws the pictures the sample texts embed, into this folder:
#   water-cycle.png  the four stages (236 px high: 15 page lines)
#   rainfall.gif     a year of rain as bars (156 px: 10 lines)
#   lake.jpg         a lake between hills (172 px: 11 lines)
#   drop.bmp         a water drop (60 px: 4 lines)
# Each height is a whole number of 16 px lines less 4, so a picture never
# reaches into the text line that follows it. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"

# Debian keeps ImageMagick's own binary beside the "convert" it links.
IM=$(command -v convert-im6.q16 || command -v magick || command -v convert)
FONT=/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf
BOLD=/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf

"$IM" -size 560x236 gradient:'#bfe3ff'-'#f4fbff' \
  -fill '#ffd23f' -stroke '#e0a800' -draw 'circle 500,44 500,70' \
  -stroke '#e0a800' -strokewidth 3 \
  -draw 'line 500,6 500,14' -draw 'line 500,74 500,82' -draw 'line 462,44 470,44' -draw 'line 530,44 538,44' \
  -strokewidth 1 -stroke '#9aa7b4' -fill white \
  -draw 'circle 200,52 200,78' -draw 'circle 236,44 236,76' -draw 'circle 272,56 272,80' \
  -stroke none -draw 'rectangle 176,56 296,80' \
  -stroke '#3b7dd8' -strokewidth 2 \
  -draw 'line 186,92 176,118' -draw 'line 206,92 196,118' -draw 'line 226,92 216,118' \
  -draw 'line 246,92 236,118' -draw 'line 266,92 256,118' -draw 'line 286,92 276,118' \
  -strokewidth 1 -stroke '#4d6b2f' -fill '#6f9a44' \
  -draw 'polygon 0,236 0,150 60,96 120,132 170,104 250,172 300,200 330,236' \
  -stroke none -fill '#f7fbff' -draw 'polygon 46,110 60,96 76,108 64,112' \
  -fill '#2f6fc0' -draw 'polygon 300,236 330,206 560,206 560,236' \
  -fill '#5b95dd' -draw 'rectangle 340,212 360,213' -draw 'rectangle 400,220 440,221' -draw 'rectangle 480,214 520,215' \
  -stroke '#1f4f99' -strokewidth 2 -fill none \
  -draw 'path "M 190,210 C 240,214 270,212 318,212"' -draw 'polygon 310,206 320,212 310,218' \
  -draw 'path "M 440,196 C 430,150 380,110 310,84"' -draw 'polygon 316,78 306,83 318,91' \
  -stroke none -fill '#1f3550' -font "$FONT" -pointsize 13 \
  -annotate +392+150 'evaporation' -annotate +206+24 'condensation' \
  -annotate +292+112 'precipitation' -annotate +190+230 'run-off' -annotate +440+230 'collection' \
  +dither -colors 32 -define png:exclude-chunks=date,time water-cycle.png

# Made-up monthly totals in millimetres, January to December.
bars=(96 82 70 58 44 30 22 26 40 64 88 104)
months=(J F M A M J J A S O N D)
draw=()
for i in "${!bars[@]}"; do
  x=$((52 + i * 28))
  top=$((130 - bars[i]))
  draw+=(-fill '#3b7dd8' -draw "rectangle $x,$top $((x + 18)),130")
  draw+=(-fill '#1f3550' -annotate "+$((x + 5))+146" "${months[i]}")
done
"$IM" -size 400x156 xc:white -font "$FONT" -pointsize 11 \
  -stroke '#c9d3dd' -draw 'line 40,30 390,30' -draw 'line 40,80 390,80' -stroke none \
  -fill '#1f3550' -annotate +8+34 '100' -annotate +14+84 '50' -annotate +20+134 '0' \
  -stroke '#1f3550' -draw 'line 40,130 390,130' -draw 'line 40,20 40,130' -stroke none \
  "${draw[@]}" \
  -font "$BOLD" -pointsize 12 -fill '#1f3550' -annotate +120+14 'Rain in a year (mm)' \
  rainfall.gif

"$IM" -size 480x172 gradient:'#8cc4f0'-'#fde7c8' \
  -fill '#7a9a6a' -draw 'polygon 0,110 70,62 140,96 220,48 320,100 400,70 480,96 480,120 0,120' \
  -fill '#4f7a46' -draw 'polygon 0,120 40,100 110,116 190,98 270,118 360,104 480,116 480,124 0,124' \
  -fill '#2d5f9e' -draw 'rectangle 0,120 480,172' \
  -fill '#5d8fcf' -draw 'rectangle 30,132 120,134' -draw 'rectangle 200,144 320,146' -draw 'rectangle 360,158 450,160' \
  -fill '#2f5a2a' -draw 'polygon 404,120 416,80 428,120' -draw 'polygon 430,120 440,90 450,120' \
  -fill '#fff3b0' -draw 'circle 96,40 96,56' \
  -quality 82 lake.jpg

"$IM" -size 48x60 xc:white \
  -fill '#3b7dd8' -stroke '#1f4f99' -draw 'path "M 24,2 C 30,18 44,30 44,40 C 44,52 35,58 24,58 C 13,58 4,52 4,40 C 4,30 18,18 24,2 Z"' \
  -stroke none -fill '#a9cdf5' -draw 'ellipse 16,40 4,8 0,360' \
  -type TrueColor BMP3:drop.bmp
