#!/usr/bin/env bash
# Draws the about box's picture (forms/about.bmp, 531 by 326, 24-bit, uncompressed bottom-up):
# a purple gradient panel with a thin black frame on white, the product name in large white
# letters with a faded reflection, the version below it on the right, the maker at the upper
# left and a one-line notice at the lower left. The "Close" text of the box is drawn by the
# box itself, at (432, 268). The version is the project's (top-level CMakeLists.txt); the one
# drawn is recorded in about.bmp.version, which the build checks. Needs ImageMagick and the
# DejaVu fonts; the result is committed.
set -euo pipefail
root="$(dirname "$0")/../.."
out=${1:-"$root/forms/about.bmp"}
read -r major minor < <(sed -n 's/^project(Quillora VERSION \([0-9]*\)\.\([0-9]*\).*/\1 \2/p' "$root/CMakeLists.txt")
version=$(printf '%d.%02d' "$major" "$minor")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The name once, to be mirrored and faded below itself as its reflection.
convert -size 420x90 xc:none -font DejaVu-Sans-Bold -pointsize 72 -fill white -gravity center \
  -annotate +0+0 Quillora "$tmp/name.png"
convert "$tmp/name.png" -flip -channel A -fx 'a*0.45*(1-j/h)' +channel "$tmp/reflection.png"

convert -size 531x326 xc:white \
  \( -size 521x316 gradient:'#6a2c9a-#2a0a4a' \) -geometry +5+5 -composite \
  -fill none -stroke black -strokewidth 1 -draw 'rectangle 5,5 525,320' \
  "$tmp/name.png" -geometry +55+70 -composite \
  "$tmp/reflection.png" -geometry +55+138 -compose over -composite \
  -stroke none -fill white -font DejaVu-Sans -pointsize 13 -annotate +20+28 'Quillora Team' \
  -font DejaVu-Sans-Bold -pointsize 18 -annotate +395+200 "Ver $version" \
  -font DejaVu-Sans -pointsize 11 -annotate +20+302 'Copyright (C) 2026 Quillora Team. All rights reserved.' \
  -alpha off -type TrueColor BMP3:"$out"
echo "$version" >"$out.version"
