#!/usr/bin/env bash
# Draws default_picture.jpg, the picture a build uses before the user loads one: a blurred plasma field
# coloured from night blue to sea green, a soft vignette, and the program's name in wide light letters with a
# teal glow. Needs ImageMagick 6 and the DejaVu fonts (fonts-dejavu-core). The committed JPEG is what the
# program uses; this script only says how it was made (plasma noise may differ between ImageMagick versions).
set -euo pipefail
out="$(cd "$(dirname "$0")" && pwd)/default_picture.jpg"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-ExtraLight.ttf

convert -size 1024x1024 -seed 1977 plasma:grey50-grey50 -colorspace gray -blur 0x48 -auto-level field.png
convert -size 1x80 gradient:'#05060d'-'#0e2236' -size 1x90 gradient:'#0e2236'-'#1d5a6a' \
        -size 1x86 gradient:'#1d5a6a'-'#7cc4b4' -append palette.png
convert field.png -sigmoidal-contrast 3x45% palette.png -clut coloured.png
convert -size 256x256 xc: -fx '1-0.55*pow(hypot(i/w-0.5,j/h-0.5)*1.41421,2.2)' -resize 1024x1024 vignette.png
convert coloured.png vignette.png -compose multiply -composite background.png

convert -size 1024x1024 xc:none -font "$font" -pointsize 118 -kerning 34 -fill '#d8f1ee' \
        -gravity center -annotate -4+0 'MORVANE' title.png
convert title.png -channel A -blur 0x14 -evaluate multiply 0.9 +channel -fill '#5fd0c8' -colorize 100 glow.png
convert -size 1024x1024 xc:none -fill '#9fd8d0' -draw 'rectangle 322,590 702,591' rule.png
convert background.png glow.png -compose screen -composite title.png -compose over -composite \
        rule.png -compose over -composite -strip -quality 90 "$out"
