#!/usr/bin/env bash
# Reads every sample file through the readers and compares the five values with what
# ExifTool reads (oracle.tsv, and ExifTool itself for video files and the container sizes
# and dates of HEIF and PNG images), then prints a table per format. The samples live
# beside the repository, not in it.
#   tools/check-samples.sh [SAMPLES_DIR]      (default: ../shared/samples)
# Video times depend on the time zone: TZ is America/New_York unless it is set.
set -u -o pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/lib/setup.sh

samples=${1:-$root/../shared/samples}
if [ ! -f "$samples/oracle.tsv" ]; then
  echo "no oracle.tsv in $samples" >&2
  exit 2
fi
samples=$(cd "$samples" && pwd)
ensure_packages cmake g++ make python3 libimage-exiftool-perl tzdata >/dev/null || true
export TZ=${TZ:-America/New_York}

cmake --preset native >/dev/null && cmake --build --preset native -j2 --target reader_probe >/dev/null || {
  echo "build failed" >&2
  exit 1
}
probe=$root/build/native/tests/bench/reader_probe
out=$(mktemp)
trap 'rm -f "$out"' EXIT
# Paths relative to the samples folder, as oracle.tsv names them.
(cd "$samples" && tail -n +2 oracle.tsv | cut -f1 | tr '\n' '\0' | xargs -0 "$probe") >"$out"
# What ExifTool reads from the container files that oracle.tsv has no columns for.
tags=$(mktemp)
trap 'rm -f "$out" "$tags"' EXIT
if command -v exiftool >/dev/null; then
  (cd "$samples" && awk -F'\t' 'NR > 1 && $2 ~ /^(HEIF|HEIC|AVIF|CR3|MP4|MOV|3GP|3G2|M4A|M4V|PNG)$/ {print $1}' oracle.tsv |
    tr '\n' '\0' | xargs -0 exiftool -q -j -n -G1 -a -api QuickTimeUTC -CreateDate -CreationDate \
      -Model -ImageWidth -ImageHeight -HandlerType -CreationTime) >"$tags" 2>/dev/null
  python3 tools/lib/compare_samples.py "$samples/oracle.tsv" "$out" "$tags"
else
  echo "exiftool is not available: video files are compared with oracle.tsv only"
  python3 tools/lib/compare_samples.py "$samples/oracle.tsv" "$out"
fi
