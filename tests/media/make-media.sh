#!/usr/bin/env bash
# Makes the small phone files that the end-to-end test renames: an iPhone-style Live Photo
# (a HEIC still and a MOV clip of the same moment) and two MP4 clips, one in winter and one
# in summer time. They are committed beside this script; run it only to make them anew
# (needs imagemagick, libheif-examples, exiftool and ffmpeg).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The still: HEVC in HEIF, Exif written by exiftool as a camera would.
convert -size 64x48 gradient:skyblue-navy -strip "$work/still.png"
heif-enc -q 40 "$work/still.png" -o "$work/still.heic" >/dev/null
exiftool -q -overwrite_original -Make=Apple -Model="iPhone 15" \
  -DateTimeOriginal="2025:07:11 09:44:38" -ModifyDate="2025:07:11 09:44:38" \
  -ExifImageWidth=64 -ExifImageHeight=48 "$work/still.heic"
cp "$work/still.heic" "$here/IMG_0001.HEIC"

# The Live Photo's clip: the movie header in UTC, Apple's keys with the local time.
clip() {  # output size creation-time [more ffmpeg options]
  local out=$1 size=$2 when=$3
  shift 3
  ffmpeg -loglevel error -y -fflags +bitexact -f lavfi -i "testsrc=size=$size:rate=1" \
    -frames:v 1 -c:v libx264 -preset veryslow -pix_fmt yuv420p -metadata "creation_time=$when" \
    "$@" "$out"
}
clip "$here/IMG_0001.MOV" 64x48 2025-07-11T15:44:38Z \
  -metadata "com.apple.quicktime.creationdate=2025-07-11T09:44:38-0600" \
  -metadata "com.apple.quicktime.model=iPhone 15" -movflags use_metadata_tags
# Clips with the movie header's time only (UTC): 12:00 UTC in January and in July.
clip "$here/VID_20240115.mp4" 48x64 2024-01-15T12:00:00Z
clip "$here/VID_20240715.mp4" 64x48 2024-07-15T12:00:00Z
ls -l "$here"
