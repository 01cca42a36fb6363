#!/usr/bin/env bash
# Draws the program's icon (a calendar page with an S) with ImageMagick and writes
# ui/win32/Stampel.ico with 16, 24, 32, 48 and 256 pixel images. The .ico is kept in the
# repository, so the build does not need ImageMagick; run this only to change the icon.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/lib/setup.sh"
ensure_packages imagemagick fonts-dejavu-core || true

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert -size 256x256 xc:none \
  -fill '#1f5fa8' -draw "roundrectangle 8,20 248,248 36,36" \
  -fill white -draw "roundrectangle 28,76 228,228 16,16" \
  -fill '#d23c2c' -draw "roundrectangle 28,76 228,120 16,16" -draw "rectangle 28,104 228,120" \
  -fill '#e8e8e8' -draw "roundrectangle 66,6 90,96 10,10" -draw "roundrectangle 166,6 190,96 10,10" \
  -fill '#1f3f6a' -font DejaVu-Sans-Bold -pointsize 118 -gravity center -annotate +0+50 "S" \
  -depth 8 "$work/256.png"
sizes=()
for s in 16 24 32 48; do
  convert "$work/256.png" -resize "${s}x${s}" -depth 8 "$work/$s.png"
  sizes+=("$work/$s.png")
done
convert "${sizes[@]}" "$work/256.png" "$root/ui/win32/Stampel.ico"
echo "wrote ui/win32/Stampel.ico"
