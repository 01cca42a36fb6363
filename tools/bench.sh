#!/usr/bin/env bash
# Times Stampel renaming JPEGs in place with the default format, as whole processes,
# against the same job done by jhead and exiv2 (and, with --exiftool, ExifTool on folders
# of up to 5,000 files) on identical folders, and against a floor that opens each file in turn, reads its first
# 4 KiB, closes it and renames it; and against the same floor with what an undoable run
# cannot leave out (each file's size and times, the intents written before the renames,
# the journal flushed at the end), which shows what the journal costs and what Stampel
# adds to it. Then checks the peak memory of Stampel on 100,000 files.
#
#   tools/bench.sh [--warm | --cold] [--sizes 5000,50000] [--exiftool] [--before REV] [RUNS]
#
# RUNS (default 3) rounds per folder size; the table shows medians. Without --warm or
# --cold both are measured: cold drops the system's caches before every timed command
# (sync; echo 3 > /proc/sys/vm/drop_caches), which needs root; without root the cold
# part is left out with a message. The folders go to $STAMPEL_BENCH_DIR (default
# /var/tmp), which must be on a real disk, not in memory; 50,000 files take about 6 GB.
# With --before REV the stampel of that revision runs in the same rounds as "before", so
# that a change is measured against what it changed under the same conditions.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/lib/setup.sh

modes="warm cold"
sizes="5000,50000"
runs=3
exiftool=false
before=
while [ $# -gt 0 ]; do
  case $1 in
    --warm) modes=warm ;;
    --cold) modes=cold ;;
    --sizes) sizes=$2; shift ;;
    --exiftool) exiftool=true ;;
    --before) before=$2; shift ;;
    [0-9]*) runs=$1 ;;
    *) echo "usage: tools/bench.sh [--warm | --cold] [--sizes 5000,50000] [--exiftool] [--before REV] [RUNS]" >&2; exit 2 ;;
  esac
  shift
done

if [[ $modes == *cold* ]] && ! { [ "$(id -u)" -eq 0 ] && [ -w /proc/sys/vm/drop_caches ]; }; then
  echo "Dropping the caches needs root: the cold measurements are left out, warm only."
  modes=warm
fi

ensure_packages cmake g++ make libgtest-dev imagemagick libimage-exiftool-perl python3 time jhead exiv2 || true

cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)" --target stampel bench_floor >/dev/null
stampel=$root/build/native/entry/stampel
floor=$root/build/native/tools/bench/bench_floor

base=${STAMPEL_BENCH_DIR:-/var/tmp}
work=$(mktemp -d "$base/stampel-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The earlier revision, built in a work tree of its own.
if [ -n "$before" ]; then
  old=$work/before-tree
  git worktree add --detach "$old" "$before" >/dev/null
  trap 'git -C "$root" worktree remove --force "$old" >/dev/null 2>&1; rm -rf "$work"' EXIT
  (cd "$old" && cmake --preset native >/dev/null && cmake --build --preset native -j"$(nproc)" --target stampel >/dev/null)
  stampel_before=$old/build/native/entry/stampel
fi
# Stampel's journals go beside the folders, not among the user's own runs.
export STAMPEL_JOURNAL_DIR=$work/journal
if [ "$(stat -f -c %T "$work")" = tmpfs ]; then
  echo "warning: $work is in memory (tmpfs): the cold figures mean nothing there" >&2
fi

# A photo-sized JPEG of about 115 KB (each file's head lies far from the next one's).
convert -size 640x480 plasma:fractal -seed 7 -quality 90 "$work/template.jpg" 2>/dev/null
exiftool -q -overwrite_original -Make=NIKON -Model="NIKON D70" \
  -DateTimeOriginal="2000:01:01 00:00:00" -ModifyDate="2000:01:01 00:00:00" "$work/template.jpg"
largest=$(tr , '\n' <<<"$sizes" | sort -n | tail -1)
python3 tools/bench/make-jpegs.py "$work/template.jpg" "$work/all" "$largest"
echo "JPEGs of $(du -k "$work/template.jpg" | cut -f1) KiB each; $(nproc) processors; $(uname -sr)"

for size in ${sizes//,/ }; do
  # The smaller folders hold hard links to the first files of the largest one.
  master=$work/master-$size
  python3 - "$work/all" "$master" "$size" <<'PY'
import os, sys
source, target, count = sys.argv[1], sys.argv[2], int(sys.argv[3])
os.makedirs(target)
for name in sorted(os.listdir(source))[:count]:
    os.link(os.path.join(source, name), os.path.join(target, name))
PY
  commands=("floor=$floor ." "floor+journal=$floor --journal $work/floor-journal.txt ."
    "stampel=$stampel '*.jpg'")
  [ -n "$before" ] && commands+=("before=$stampel_before '*.jpg'")
  command -v jhead >/dev/null && commands+=("jhead=jhead -q -n *.jpg")
  command -v exiv2 >/dev/null &&
    commands+=("exiv2=exiv2 -q -r '%Y-%m-%d-%H-%M-%S_:basename:' rename *.jpg")
  # ExifTool takes minutes for the larger folders.
  $exiftool && [ "$size" -le 5000 ] &&
    commands+=("exiftool=exiftool -q '-FileName<DateTimeOriginal' -d '%Y-%m-%d-%H-%M-%S_%%f.%%e' .")
  for mode in $modes; do
    python3 tools/bench/run-bench.py --master "$master" --run "$work/run" --runs "$runs" \
      --mode "$mode" --title "$size JPEGs" "${commands[@]}"
  done
  rm -rf "$master"
done
rm -rf "$work/all"

# Peak memory on 100,000 files (small ones: only the count matters here).
convert -size 64x48 xc:gray -quality 80 "$work/small.jpg"
exiftool -q -overwrite_original -DateTimeOriginal="2000:01:01 00:00:00" -ModifyDate="2000:01:01 00:00:00" "$work/small.jpg"
python3 tools/bench/make-jpegs.py "$work/small.jpg" "$work/many" 100000
peak=$( { /usr/bin/time -f '%M' "$stampel" "$work/many/*.jpg" >/dev/null; } 2>&1 | tail -1)
renamed=$(ls "$work/many" | grep -c '^2' || true)
echo
echo "100,000 files: peak memory $((peak / 1024)) MiB (goal: under 32 MiB), $renamed files renamed"
