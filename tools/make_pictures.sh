#!/usr/bin/env bash
# Draws the program's own pictures once: the 270 x 220 title picture (a
# baseline JPEG) and the 32 x 32 program icon. The results are checked in
# under resources/; run this again only to change the artwork.
set -euo pipefail
cd "$(dirname "$0")/.."
fonts=/usr/share/fonts/truetype
title_font=$fonts/liberation2/LiberationSerif-BoldItalic.ttf
small_font=$fonts/liberation2/LiberationSans-Regular.ttf

# Silver-grey shaded field with a thin dark rim, the name in blue with a soft
# shadow, and a line of small text under it.
convert -size 270x220 gradient:'#f4f4f6-#9c9ca4' \
    -fill none -stroke '#5a5a64' -strokewidth 2 -draw 'rectangle 1,1 268,218' \
    -stroke '#ffffff' -strokewidth 1 -draw 'rectangle 5,5 264,214' \
    -stroke none -font "$title_font" -pointsize 50 -gravity north \
    -fill '#6a6a78' -annotate +3+63 'Kolvane' \
    -fill '#1030b0' -annotate +0+60 'Kolvane' -gravity northwest \
    -fill '#1030b0' -draw 'rectangle 30,136 240,138' \
    -font "$small_font" -pointsize 12 -fill '#202028' \
    -gravity south -annotate +0+46 'Find reglen bag maskinen' \
    -annotate +0+28 'Observér  ·  Eksperimentér  ·  Kontrollér' \
    -strip -interlace none -sampling-factor 2x2 -quality 90 \
    resources/title.jpg

# The icon: a small green machine with an input funnel and an output arrow.
convert -size 32x32 xc:none \
    -fill '#008000' -stroke '#003000' -strokewidth 1 -draw 'roundrectangle 4,8 27,27 3,3' \
    -fill '#c8c8d0' -stroke '#404048' -draw 'polygon 9,1 22,1 18,8 13,8' \
    -fill '#ffff40' -stroke none -draw 'rectangle 9,13 22,18' \
    -fill '#000000' -draw 'rectangle 11,15 20,16' \
    -fill '#1030b0' -draw 'polygon 12,21 19,21 19,19 24,23 19,27 19,25 12,25' \
    -strip resources/kolvane.png
echo resources/title.jpg resources/kolvane.png
