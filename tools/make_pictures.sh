#!/usr/bin/env bash
# Draws the program's pictures into resources/: the About banner (banner.jpg, 340x100), the
# small picture (badge.jpg, 160x48) and the icon (tellavo.ico with 16, 32 and 64 pixel
# images, 32-bit with alpha). Each icon size is drawn at its own pixel size so that the
# small ones stay sharp. Needs ImageMagick 6 (/usr/bin/convert) and the DejaVu fonts.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$root/resources
convert=/usr/bin/convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ring='#1d4f9e'   # clock rim
face='#ffffff'
hand='#14171c'
accent='#d9342b' # second hand
font=DejaVu-Sans-Bold

# Clock glyph for the pictures, showing 10:08:37, as -draw primitives: centre cx,cy, radius r.
clock_primitives() {
  awk -v cx="$1" -v cy="$2" -v r="$3" -v ring="$ring" -v face="$face" -v hand="$hand" \
      -v accent="$accent" 'BEGIN {
    pi = atan2(0, -1)
    rim = r * 0.13
    printf "fill %s stroke none circle %.2f,%.2f %.2f,%.2f ", ring, cx, cy, cx + r, cy
    printf "fill %s circle %.2f,%.2f %.2f,%.2f ", face, cx, cy, cx + r - rim, cy
    for (i = 0; i < 12; i++) {
      a = i * pi / 6
      r1 = r - rim * 1.6; r2 = (i % 3 == 0) ? r - rim * 3.2 : r - rim * 2.4
      w = (i % 3 == 0) ? r * 0.07 : r * 0.035
      printf "stroke %s stroke-width %.2f stroke-linecap butt line %.2f,%.2f %.2f,%.2f ",
             hand, w, cx + r1 * sin(a), cy - r1 * cos(a), cx + r2 * sin(a), cy - r2 * cos(a)
    }
    # hour hand at 10:08, minute hand at 8 minutes, second hand at 37 seconds
    ha = (10 + 8 / 60) * pi / 6; ma = 8 * pi / 30; sa = 37 * pi / 30
    printf "stroke-linecap round stroke-width %.2f line %.2f,%.2f %.2f,%.2f ",
           r * 0.12, cx, cy, cx + r * 0.48 * sin(ha), cy - r * 0.48 * cos(ha)
    printf "stroke-width %.2f line %.2f,%.2f %.2f,%.2f ",
           r * 0.08, cx, cy, cx + r * 0.70 * sin(ma), cy - r * 0.70 * cos(ma)
    printf "stroke %s stroke-width %.2f line %.2f,%.2f %.2f,%.2f ", accent, r * 0.03,
           cx - r * 0.18 * sin(sa), cy + r * 0.18 * cos(sa),
           cx + r * 0.74 * sin(sa), cy - r * 0.74 * cos(sa)
    printf "stroke none fill %s circle %.2f,%.2f %.2f,%.2f", accent, cx, cy, cx + r * 0.06, cy
  }'
}

# Faint meridians and parallels of a globe, as -draw primitives: centre cx,cy, radius r.
globe_primitives() {
  awk -v cx="$1" -v cy="$2" -v r="$3" 'BEGIN {
    printf "fill none stroke #ffffff26 stroke-width 1.4 "
    printf "circle %.1f,%.1f %.1f,%.1f ", cx, cy, cx + r, cy
    for (k = 1; k <= 3; k++) {
      w = r * (1 - k / 3.5)
      printf "ellipse %.1f,%.1f %.1f,%.1f 0,360 ", cx, cy, w, r
    }
    for (k = -2; k <= 2; k++) {
      y = cy + k * r / 3; h = sqrt(r * r - (k * r / 3) ^ 2)
      printf "line %.1f,%.1f %.1f,%.1f ", cx - h, y, cx + h, y
    }
  }'
}

banner() {  # banner <width> <height> <clock radius> <font size> <file>
  local w=$1 h=$2 r=$3 size=$4 file=$5
  local cy=$(awk -v h="$h" 'BEGIN{print h/2 - 0.5}')
  local cx=$(awk -v h="$h" -v r="$r" 'BEGIN{print (h - 2*r)/2 + r + 2}')
  # The name starts a little right of the clock's rim; its shadow 2 pixels further.
  local textx=$(awk -v c="$cx" -v r="$r" 'BEGIN{printf "%d", c + r + 0.12*r + 10}')
  "$convert" -size "${w}x${h}" gradient:'#0e2a5c-#2d7fc4' -rotate -90 -resize "${w}x${h}!" \
    -draw "$(globe_primitives $((w - h / 2)) "$cy" $((h * 3 / 4)))" \
    -draw "$(clock_primitives "$cx" "$cy" "$r")" \
    -font "$font" -pointsize "$size" -fill '#00000055' -gravity west \
    -annotate +$((textx + 2))+2 'Kivo Tellavo' \
    -fill white -annotate +"$textx"+0 'Kivo Tellavo' \
    -strip -quality 92 -sampling-factor 1x1 "$file"
}

banner 340 100 38 34 "$out/banner.jpg"
banner 160 48 17 14 "$out/badge.jpg"

# Icon images. At 16 and 32 pixels the hands are axis-aligned (3 o'clock) and pixel-snapped
# so they stay crisp; the 64 pixel image shows the pictures' clock.
"$convert" -size 16x16 xc:none \
  -fill "$ring" -draw 'circle 7.5,7.5 7.5,0.2' \
  -fill "$face" -draw 'circle 7.5,7.5 7.5,2.3' \
  +antialias -fill "$hand" \
  -draw 'rectangle 7,3 8,8' -draw 'rectangle 7,7 11,8' \
  PNG32:"$work/16.png"

"$convert" -size 32x32 xc:none \
  -fill "$ring" -draw 'circle 15.5,15.5 15.5,0.3' \
  -fill "$face" -draw 'circle 15.5,15.5 15.5,3.6' \
  +antialias -fill "$hand" \
  -draw 'rectangle 15,5 16,7' -draw 'rectangle 15,24 16,26' \
  -draw 'rectangle 5,15 7,16' -draw 'rectangle 24,15 26,16' \
  -draw 'rectangle 14,8 17,17' -draw 'rectangle 14,14 22,17' \
  -fill "$accent" -draw 'rectangle 15,15 16,16' \
  PNG32:"$work/32.png"

"$convert" -size 64x64 xc:none -draw "$(clock_primitives 31.5 31.5 31.2)" PNG32:"$work/64.png"

"$convert" "$work/16.png" "$work/32.png" "$work/64.png" "$out/tellavo.ico"
echo "make_pictures: wrote $out/banner.jpg, badge.jpg and tellavo.ico"
