#!/usr/bin/env bash
# Draws default_picture.jpg, the picture a build uses before the user loads one: a blurred plasma field
# coloured from night blue to sea green, a soft vignette, and the program's name in wide light letters with a
# teal glow. Needs ImageMagick 6 and the DejaVu fonts (fonts-dejavu-core). The committed JPEG is what the
# program uses; this script only says how it was made (plasma noise may differ between ImageMagick versions).
#
# Two views decide the layout. At "1024 x 1024" the main window's preview frame shows only the top-left
# 778 x 619 pixels of the square, so the name is centred on that part (389, 300), not on the square. In the
# game the square is stretched over the screen, about 1.8 times wider than high on a 16:9 screen, so the
# name is drawn at 80 % of its width: slightly narrow in the square, wide but not bloated in the game.
set -euo pipefail
out="$(cd "$(dirname "$0")" && pwd)/default_picture.jpg"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-ExtraLight.ttf
cx=389 cy=300  # pixels: the middle of what the preview frame shows

convert -size 1024x1024 -seed 1977 plasma:grey50-grey50 -colorspace gray -blur 0x48 -auto-level field.png
convert -size 1x80 gradient:'#05060d'-'#0e2236' -size 1x90 gradient:'#0e2236'-'#1d5a6a' \
        -size 1x86 gradient:'#1d5a6a'-'#7cc4b4' -append palette.png
convert field.png -sigmoidal-contrast 3x45% palette.png -clut coloured.png
# The vignette is lightest where the name stands.
convert -size 256x256 xc: -fx "1-0.55*pow(hypot(i/w-$cx/1024,j/h-$cy/1024)*1.2,2.2)" -resize 1024x1024 vignette.png
convert coloured.png vignette.png -compose multiply -composite background.png

convert -background none -font "$font" -pointsize 110 -kerning 30 -fill '#d8f1ee' label:'MORVANE' \
        -trim +repage -resize '80%x100%!' name.png
w=$(identify -format %w name.png)
h=$(identify -format %h name.png)
convert -size 1024x1024 xc:none name.png -geometry +$((cx - w / 2))+$((cy - h / 2)) -compose over -composite title.png
convert title.png -channel A -blur 0x14 -evaluate multiply 0.9 +channel -fill '#5fd0c8' -colorize 100 glow.png
rule_y=$((cy + h / 2 + 36)) rule_half=$((w * 3 / 10))
convert -size 1024x1024 xc:none -fill '#9fd8d0' \
        -draw "rectangle $((cx - rule_half)),$rule_y $((cx + rule_half)),$((rule_y + 1))" rule.png
convert background.png glow.png -compose screen -composite title.png -compose over -composite \
        rule.png -compose over -composite -strip -quality 90 "$out"
