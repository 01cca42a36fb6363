#!/usr/bin/env bash
# Makes the small media files that tools/demo.sh renames. They are committed under
# tools/demo/media; run this only to make them anew (needs imagemagick, exiftool, ffmpeg,
# python3).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out="$here/media"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$out"
mkdir -p "$out/trip"

jpeg() {  # name size gradient model original modified width height
  convert -size "$2" "gradient:$3" -strip -quality 80 "$work/$1"
  exiftool -q -overwrite_original -Make="${4%% *}" -Model="$4" -DateTimeOriginal="$5" \
    -ModifyDate="$6" -ExifImageWidth="$7" -ExifImageHeight="$8" "$work/$1"
}
jpeg IMG_0001.JPG 64x48 skyblue-navy "NIKON D70" "2004:05:06 07:08:09" "2004:05:07 10:00:00" 64 48
jpeg IMG_0002.JPG 64x48 orange-red "Canon EOS 350D DIGITAL" "2005:12:24 18:30:00" "2005:12:24 18:30:00" 64 48
jpeg IMG_0003.JPG 48x64 green-yellow "Canon EOS 350D DIGITAL" "2005:12:24 18:30:00" "2005:12:24 18:31:00" 48 64
jpeg DSCN1234.jpg 64x48 gray-white "E4500" "2008:06:15 14:05:09" "2008:06:15 14:05:09" 64 48
cp "$work/IMG_0001.JPG" "$work/IMG_0002.JPG" "$out/"
cp "$work/IMG_0003.JPG" "$work/DSCN1234.jpg" "$out/trip/"

# A raw-style file: a TIFF with its Exif block, named as a camera would.
convert -size 60x40 gradient:white-black -strip -compress none "$work/raw.tif"
exiftool -q -overwrite_original -Make="NIKON CORPORATION" -Model="NIKON D200" \
  -DateTimeOriginal="2007:03:02 11:12:13" -ModifyDate="2007:03:02 11:12:13" "$work/raw.tif"
cp "$work/raw.tif" "$out/trip/DSC_0042.NEF"

# A clip and a sound recording with the date chunks cameras and recorders write.
ffmpeg -loglevel error -y -fflags +bitexact -f lavfi -i testsrc=size=64x48:rate=5 -t 1 \
  -c:v mjpeg -q:v 10 "$work/clip.avi"
ffmpeg -loglevel error -y -fflags +bitexact -f lavfi -i sine=frequency=440:duration=0.2 \
  -ar 8000 -ac 1 "$work/sound.wav"
python3 "$here/riff-info.py" "$work/clip.avi" "$out/CIMG0815.AVI" \
  IDIT "Sat Jun 14 16:20:00 2008" ISFT "CASIO EX-Z750"
python3 "$here/riff-info.py" "$work/sound.wav" "$out/VN-0001.WAV" \
  ICRD "2006-05-04 09:10:11" ISFT "Olympus WS-110"

# A file without any metadata the program reads.
convert -size 32x32 xc:purple -strip "$out/notes.png"
ls -lR "$out"
