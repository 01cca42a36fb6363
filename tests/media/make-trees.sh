#!/usr/bin/env bash
# Makes the folders of files that belong together that tests/media/CompanionTreesTest.cpp
# renames: a camera card (raw + JPEG, sidecars of both conventions), an iPhone DCIM folder
# (Live Photos, Apple's edits, a clip renamed away from its still), a GoPro and a Sony card,
# a Google Takeout folder with every JSON naming form, and traps. Stills are written by
# ImageMagick and dated by ExifTool, clips by ffmpeg, XMP sidecars by ExifTool; the other
# companions are the small text files their programs write. They are committed under
# trees/; run this only to make them anew (needs imagemagick, exiftool and ffmpeg).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$here/trees
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$out"
mkdir -p "$out"

# still FILE DATE [exiftool options]: a small JPEG, or a TIFF-based raw when FILE's
# extension is a raw one, with the date as DateTimeOriginal and ModifyDate.
still() {
  local file=$1 when=$2 tmp
  shift 2
  mkdir -p "$(dirname "$file")"
  case ${file##*.} in
    CR2 | NEF | ARW) tmp=$work/still.tif ;;
    *) tmp=$work/still.jpg ;;
  esac
  # A seed from the name makes every picture's bytes differ.
  convert -seed "$(cksum <<<"$file" | cut -c1-6)" -size 24x16 "plasma:fractal" -strip "$tmp"
  exiftool -q -overwrite_original -DateTimeOriginal="$when" -ModifyDate="$when" \
    -ExifImageWidth=24 -ExifImageHeight=16 "$@" "$tmp"
  mv "$tmp" "$file"
}

# heic FILE DATE [exiftool options]: the committed HEIC still, dated anew.
heic() {
  local file=$1 when=$2
  shift 2
  mkdir -p "$(dirname "$file")"
  cp "$here/IMG_0001.HEIC" "$work/still.heic"
  exiftool -q -overwrite_original -DateTimeOriginal="$when" -ModifyDate="$when" "$@" \
    "$work/still.heic"
  mv "$work/still.heic" "$file"
}

# clip FILE UTC-TIME [ffmpeg options]: a one-frame H.264 clip with that movie time.
clip() {
  local file=$1 when=$2 format=mp4
  shift 2
  [ "${file##*.}" = MOV ] && format=mov
  mkdir -p "$(dirname "$file")"
  ffmpeg -loglevel error -y -fflags +bitexact -f lavfi -i "testsrc=size=32x24:rate=1" \
    -frames:v 1 -c:v libx264 -preset veryslow -pix_fmt yuv420p \
    -metadata "creation_time=$when" -metadata "title=$(basename "$file")" "$@" \
    -f "$format" "$work/clip"
  mv "$work/clip" "$file"
}

# An Apple maker note holding a Live Photo's identifier, for ExifTool to put in place.
apple_note() {
  python3 - "$1" "$work/note.bin" <<'PY'
import struct, sys
identifier = sys.argv[1].encode() + b"\0"
header = b"Apple iOS\0" + b"\x00\x01" + b"MM"
data = len(header) + 2 + 12 + 4
ifd = struct.pack(">H", 1) + struct.pack(">HHII", 0x11, 2, len(identifier), data) + b"\0" * 4
open(sys.argv[2], "wb").write(header + ifd + identifier)
PY
  echo "$work/note.bin"
}

xmp() { exiftool -q -o "$2" "$1"; }  # an XMP sidecar of a file's tags
text() { mkdir -p "$(dirname "$1")" && printf '%s\n' "$2" >"$1"; }

# --- a camera card: raw + JPEG with both sidecar conventions ------------------------
card=$out/camera/DCIM
still "$card/100CANON/IMG_0001.CR2" "2023:05:01 10:00:00" -Make=Canon -Model="Canon EOS 5D"
still "$card/100CANON/IMG_0001.JPG" "2023:05:01 10:00:00" -Make=Canon -Model="Canon EOS 5D"
xmp "$card/100CANON/IMG_0001.CR2" "$card/100CANON/IMG_0001.CR2.xmp"  # darktable
xmp "$card/100CANON/IMG_0001.CR2" "$card/100CANON/IMG_0001.xmp"      # Lightroom
text "$card/100CANON/IMG_0001.CR2.pp3" $'[Version]\nAppVersion=5.9\n[Exposure]\nCompensation=0.3'
still "$card/100CANON/IMG_0002.CR2" "2023:05:01 10:05:00" -Make=Canon -Model="Canon EOS 5D"
xmp "$card/100CANON/IMG_0002.CR2" "$card/100CANON/IMG_0002.xmp"
still "$card/101NIKON/DSC_0003.NEF" "2023:05:02 09:00:00" -Make=NIKON -Model="NIKON D70"
still "$card/101NIKON/DSC_0003.JPG" "2023:05:02 09:00:01" -Make=NIKON -Model="NIKON D70"
xmp "$card/101NIKON/DSC_0003.NEF" "$card/101NIKON/DSC_0003.NEF.xmp"
text "$card/101NIKON/DSC_0003.NEF.dop" 'Sidecar = { Source = { Items = { { Version = "15.0" } } } }'
still "$card/102SONY/DSC00005.ARW" "2023:05:03 18:30:00" -Make=SONY -Model=ILCE-7M3
still "$card/102SONY/DSC00005.JPG" "2023:05:03 18:30:00" -Make=SONY -Model=ILCE-7M3
xmp "$card/102SONY/DSC00005.ARW" "$card/102SONY/DSC00005.xmp"

# --- an iPhone: Live Photos, Apple's edits, a clip under another name ---------------
phone=$out/iphone/DCIM/100APPLE
live=6F1A2B3C-0000-4000-8000-00000000ABCD
heic "$phone/IMG_0100.HEIC" "2025:07:11 09:44:38" -Make=Apple -Model="iPhone 15" \
  "-MakerNotes<=$(apple_note "$live")"
clip "$phone/IMG_0100.MOV" 2025-07-11T13:44:38Z -movflags use_metadata_tags \
  -metadata "com.apple.quicktime.creationdate=2025-07-11T09:44:38-0400" \
  -metadata "com.apple.quicktime.content.identifier=$live"
text "$phone/IMG_0100.AAE" '<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict><key>adjustmentFormatIdentifier</key><string>com.apple.photo</string></dict></plist>'
heic "$phone/IMG_E0100.HEIC" "2025:07:11 09:44:38" -Make=Apple -Model="iPhone 15" \
  -Software="edited"
renamed=0B2C3D4E-1111-4222-8333-444455556666
still "$phone/IMG_0101.JPG" "2025:07:11 10:00:00" -Make=Apple -Model="iPhone 15" \
  "-MakerNotes<=$(apple_note "$renamed")"
clip "$phone/IMG_0101_HEVC.MOV" 2025-07-11T14:00:01Z -movflags use_metadata_tags \
  -metadata "com.apple.quicktime.creationdate=2025-07-11T10:00:01-0400" \
  -metadata "com.apple.quicktime.content.identifier=$renamed"
heic "$phone/IMG_0102.HEIC" "2025:07:12 08:15:00" -Make=Apple -Model="iPhone 15"
text "$phone/IMG_0102.AAE" '<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict><key>adjustmentBaseVersion</key><integer>0</integer></dict></plist>'

# --- a GoPro card: clips, their thumbnails and low-resolution copies -----------------
gopro=$out/gopro/DCIM/100GOPRO
clip "$gopro/GX010373.MP4" 2023-05-02T12:00:00Z
clip "$gopro/GL010373.LRV" 2023-05-02T12:00:00Z -s 16x12
convert -size 16x12 xc:navy -strip "jpg:$gopro/GX010373.THM"
clip "$gopro/GH010374.MP4" 2023-05-02T13:30:00Z
clip "$gopro/GL010374.LRV" 2023-05-02T13:30:00Z -s 16x12
convert -size 16x12 xc:teal -strip "jpg:$gopro/GH010374.THM"

# --- a Sony card: clips and their XML ------------------------------------------------
sony=$out/sony/PRIVATE/M4ROOT/CLIP
clip "$sony/C0001.MP4" 2023-05-03T15:00:00Z
text "$sony/C0001M01.XML" '<?xml version="1.0" encoding="UTF-8"?><NonRealTimeMeta><CreationDate value="2023-05-03T11:00:00-04:00"/></NonRealTimeMeta>'
clip "$sony/C0002.MP4" 2023-05-03T15:10:00Z
text "$sony/C0002M01.XML" '<?xml version="1.0" encoding="UTF-8"?><NonRealTimeMeta><CreationDate value="2023-05-03T11:10:00-04:00"/></NonRealTimeMeta>'

# --- Google Takeout: every form of the JSON's name ------------------------------------
takeout="$out/takeout/Takeout/Google Photos/Photos from 2023"
json() {  # FILE TITLE SECONDS
  text "$1" "{\"title\": \"$2\", \"creationTime\": {\"timestamp\": \"1700000000\"}, \"photoTakenTime\": {\"timestamp\": \"$3\"}}"
}
n=0
for form in ".json" ".supplemental-metadata.json" ".supplemental-metad.json" ".supp.json"; do
  n=$((n + 1))
  still "$takeout/IMG_100$n.JPG" "2023:06:0$n 12:00:00"
  json "$takeout/IMG_100$n.JPG$form" "IMG_100$n.JPG" $((1685620800 + (n - 1) * 86400))
done
# A second photo of one name: Takeout numbers it and moves the number before ".json".
still "$takeout/IMG_1001(1).JPG" "2023:06:01 12:30:00"
json "$takeout/IMG_1001.JPG(1).json" "IMG_1001.JPG" 1685622600
still "$takeout/IMG_1002(1).JPG" "2023:06:02 12:30:00"
json "$takeout/IMG_1002.JPG.supplemental-metadata(1).json" "IMG_1002.JPG" 1685709000
# A long name: the JSON's name is cut to 51 characters.
long=20230610_summer_holiday_at_the_lake_with_everyone.jpg
still "$takeout/$long" "2023:06:10 16:00:00"
json "$takeout/${long}.supplemental-metadata.json" "$long" 1686412800
mv "$takeout/${long}.supplemental-metadata.json" "$takeout/$(cut -c1-46 <<<"${long}.supplemental-metadata").json"

# --- Google Takeout of pictures that hold no date: the JSON's is theirs (/E) ------------
undated="$out/takeout-undated/Takeout/Google Photos/Saved pictures"
bare() {  # FILE: a picture without any metadata, as messengers and screenshots leave them
  mkdir -p "$(dirname "$1")"
  convert -seed "$(cksum <<<"$1" | cut -c1-6)" -size 24x16 "plasma:fractal" -strip \
    "${1##*.}:$work/bare"
  mv "$work/bare" "$1"
}
n=0
for form in ".json" ".supplemental-metadata.json" ".supplemental-metad.json" ".supp.json"; do
  n=$((n + 1))
  bare "$undated/IMG_200$n.JPG"
  json "$undated/IMG_200$n.JPG$form" "IMG_200$n.JPG" $((1685635200 + (n - 1) * 86400))
done
bare "$undated/IMG_2001(1).JPG"
json "$undated/IMG_2001.JPG(1).json" "IMG_2001.JPG" 1685637000
bare "$undated/IMG_2002(1).PNG"
json "$undated/IMG_2002.PNG.supplemental-metadata(1).json" "IMG_2002.PNG" 1685723400
long=received_from_a_friend_on_the_way_to_the_lake.png
bare "$undated/$long"
json "$undated/$long.supplemental-metadata.json" "$long" 1686412800
mv "$undated/$long.supplemental-metadata.json" "$undated/$(cut -c1-46 <<<"$long.supplemental-metadata").json"
# The JSON comes before the name: this screenshot's JSON says 2023-08-09 14:00 UTC.
bare "$undated/Screenshot_20230808-080808.png"
json "$undated/Screenshot_20230808-080808.png.supplemental-me.json" x 1691589600  # cut to 51
# Without a JSON, the name; with a JSON of "0" (Takeout's unknown) and no name, nothing.
bare "$undated/IMG_20230707_101010.jpg"
bare "$undated/IMG_2005.JPG"
json "$undated/IMG_2005.JPG.supplemental-metadata.json" "IMG_2005.JPG" 0

# --- traps --------------------------------------------------------------------------
traps=$out/traps
# Two cameras gave one name to photos of different moments: two groups, and the
# Lightroom sidecar of their base belongs to both, so it stays.
still "$traps/DSC_0001.NEF" "2023:05:01 10:00:00" -Model="NIKON D70"
still "$traps/DSC_0001.JPG" "2023:06:01 12:00:00" -Model="Canon PowerShot A70"
xmp "$traps/DSC_0001.NEF" "$traps/DSC_0001.xmp"
xmp "$traps/DSC_0001.JPG" "$traps/DSC_0001.JPG.xmp"
# A raw beside its JPEG, a sidecar of their base: renaming only the JPEGs leaves the
# raw, and so the sidecar, where they are.
still "$traps/IMG_1.CR2" "2023:05:04 07:00:00" -Model="Canon EOS 5D"
still "$traps/IMG_1.JPG" "2023:05:04 07:00:00" -Model="Canon EOS 5D"
xmp "$traps/IMG_1.CR2" "$traps/IMG_1.xmp"

find "$out" -type f | sort | sed "s|^$out/||"
du -sh "$out"
