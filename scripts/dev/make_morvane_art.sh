#!/usr/bin/env bash
# Draws the results application's icon and About-box bitmaps with ImageMagick and writes them into
# resources/: morvane.ico (32x32 and 16x16), morvane_tester.bmp (bitmap 129, the tester drawing) and
# morvane_wordmark.bmp (bitmap 130, "HALVEN TESTER"). The files are committed; run this only to
# redraw them.
set -euo pipefail
cd "$(dirname "$0")/.."
out=resources
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# The handheld tester seen from the front, at 4x size, then reduced: a dark body, a green screen
# with a signal edge, a keypad and the cable leaving at the top.
tester_front() {
  convert -size 128x128 xc:none \
    -stroke '#1d2733' -strokewidth 4 -fill '#ffb400' -draw 'line 64,2 64,16' \
    -fill '#2f3b48' -draw 'roundrectangle 28,14 100,124 12,12' \
    -stroke none -fill '#9fe2b0' -draw 'rectangle 38,26 90,62' \
    -stroke '#17622f' -strokewidth 4 -fill none \
    -draw 'polyline 42,54 54,54 54,34 70,34 70,54 86,54' \
    -stroke none -fill '#e8edf2' \
    -draw 'circle 46,80 46,86' -draw 'circle 64,80 64,86' -draw 'circle 82,80 82,86' \
    -draw 'circle 46,100 46,106' -draw 'circle 64,100 64,106' \
    -fill '#e23b2e' -draw 'circle 82,100 82,106' \
    "$1"
}

tester_front "$tmp/tester128.png"
convert "$tmp/tester128.png" -resize 32x32 "$tmp/icon32.png"
convert "$tmp/tester128.png" -resize 16x16 "$tmp/icon16.png"
convert "$tmp/icon32.png" "$tmp/icon16.png" "$out/morvane.ico"

# Bitmap 129 (70 x 23 dialog units, about 105 x 37 pixels): the tester lying on its side with its
# cable running to a bus connector.
convert -size 420x148 xc:white \
  -fill '#2f3b48' -draw 'roundrectangle 8,12 236,136 18,18' \
  -fill '#9fe2b0' -draw 'rectangle 28,32 132,116' \
  -stroke '#17622f' -strokewidth 8 -fill none \
  -draw 'polyline 38,98 62,98 62,52 94,52 94,98 124,98' \
  -stroke none -fill '#e8edf2' \
  -draw 'circle 164,50 164,62' -draw 'circle 204,50 204,62' \
  -draw 'circle 164,96 164,108' -fill '#e23b2e' -draw 'circle 204,96 204,108' \
  -stroke '#1d2733' -strokewidth 10 -fill none -draw 'bezier 236,74 300,74 300,30 350,40' \
  -stroke none -fill '#ffb400' -draw 'roundrectangle 340,22 410,62 8,8' \
  -fill '#1d2733' -draw 'rectangle 352,32 360,52' -draw 'rectangle 372,32 380,52' \
  -draw 'rectangle 392,32 400,52' \
  -resize 105x37 -type TrueColor "BMP3:$out/morvane_tester.bmp"

# Bitmap 130 (70 x 19 dialog units, about 105 x 31 pixels): the wordmark.
convert -size 420x124 xc:white \
  -fill '#2f3b48' -font "$font" -pointsize 62 -gravity center -annotate +0-10 'HALVEN' \
  -fill '#ffb400' -draw 'rectangle 40,92 380,100' \
  -fill '#17622f' -pointsize 26 -annotate +0+50 'T E S T E R' \
  -resize 105x31 -type TrueColor "BMP3:$out/morvane_wordmark.bmp"

echo "Wrote $out/morvane.ico, $out/morvane_tester.bmp, $out/morvane_wordmark.bmp"
