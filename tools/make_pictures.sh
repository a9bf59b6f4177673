#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the program's own pictures once: the 270 x 220 title picture (a
# baseline JPEG) and the program icon (SVG, PNG at 16 to 256 pixels, and a Windows .ico).
# The results are checked in under resources/; run this again only to change
# the artwork. Needs imagemagick, librsvg2-bin and fonts-liberation2.
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

# The icon: a small green machine with an input funnel and an output arrow,
# drawn once as SVG on a 32 x 32 grid and rendered from it at every size the
# desktop asks for (share/icons/hicolor/), for the program's own windows and
# for Windows.
icons=resources/icons/hicolor
app_id=io.github.kolvane.Kolvane
mkdir -p "$icons/scalable/apps"
cat > "$icons/scalable/apps/$app_id.svg" <<'SVG'
<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <title>Kolvane</title>
  <rect x="4.5" y="8.5" width="23" height="19" rx="3" fill="#008000" stroke="#003000"/>
  <path d="M9.5 1.5h13l-4 7h-5z" fill="#c8c8d0" stroke="#404048" stroke-linejoin="round"/>
  <rect x="9" y="13" width="14" height="6" fill="#ffff40"/>
  <rect x="11" y="15" width="10" height="2" fill="#000000"/>
  <path d="M12 21h7v-2.5l5.5 4.5-5.5 4.5v-2.5h-7z" fill="#1030b0"/>
</svg>
SVG
for size in 16 32 48 64 128 256; do
    mkdir -p "$icons/${size}x$size/apps"
    rsvg-convert -w "$size" -h "$size" "$icons/scalable/apps/$app_id.svg" \
        | convert png:- -strip "$icons/${size}x$size/apps/$app_id.png"
done
cp "$icons/32x32/apps/$app_id.png" resources/kolvane.png
# The Windows icon of the program, its files and its installer: every size in one file.
convert "$icons"/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/"$app_id".png resources/kolvane.ico
echo resources/title.jpg resources/kolvane.png resources/kolvane.ico "$icons"
