#!/usr/bin/env bash
# Times Stampel renaming 5,000 JPEGs in place with the default format, as whole processes,
# against the same job done by jhead, exiv2 and exiftool on identical folders, and against
# a floor that only opens, reads 80 KiB, closes and renames each file. Then checks the peak
# memory of Stampel on 100,000 files.
#   tools/bench.sh [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/lib/setup.sh
runs=${1:-10}
ensure_packages cmake g++ make libgtest-dev hyperfine imagemagick libimage-exiftool-perl python3 time jhead exiv2 || true

cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)" --target stampel bench_floor >/dev/null
stampel=$root/build/native/entry/stampel
floor=$root/build/native/tools/bench/bench_floor

work=$(mktemp -d "${TMPDIR:-/tmp}/stampel-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# A camera-sized JPEG (about 150 KB, so reading the 80 KiB window is real work).
convert -size 1024x768 plasma:fractal -seed 7 -quality 90 "$work/template.jpg" 2>/dev/null
exiftool -q -overwrite_original -Make=NIKON -Model="NIKON D70" \
  -DateTimeOriginal="2000:01:01 00:00:00" -ModifyDate="2000:01:01 00:00:00" "$work/template.jpg"
python3 tools/bench/make-jpegs.py "$work/template.jpg" "$work/master" 5000
echo "5,000 JPEGs of $(du -k "$work/template.jpg" | cut -f1) KiB each"

# Every run starts from hard links to the same files: the contents stay in the page cache,
# and every tool only renames, so the links stay intact.
prepare="rm -rf '$work/run' && cp -al '$work/master' '$work/run'"
commands=(-n floor "$floor '$work/run'"
          -n stampel "$stampel '$work/run/*.jpg'")
command -v jhead >/dev/null && commands+=(-n "jhead -n" "jhead -q -n '$work/run/'*.jpg")
command -v exiv2 >/dev/null && commands+=(-n "exiv2 rename" "exiv2 -q -r '%Y-%m-%d-%H-%M-%S_:basename:' rename '$work/run/'*.jpg")
command -v exiftool >/dev/null && commands+=(-n "exiftool" "exiftool -q '-FileName<DateTimeOriginal' -d '%Y-%m-%d-%H-%M-%S_%%f.%%e' '$work/run'")

hyperfine --style basic --warmup 1 --runs "$runs" --prepare "$prepare" \
  --export-json "$work/times.json" "${commands[@]}" >/dev/null

python3 - "$work/times.json" <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
floor = results["floor"]["mean"]
stampel = results["stampel"]["mean"]
print(f"{'tool':<14}{'mean s':>9}{'± s':>8}{'x floor':>9}{'x stampel':>11}")
for name, r in results.items():
    print(f"{name:<14}{r['mean']:>9.3f}{r['stddev']:>8.3f}{r['mean']/floor:>9.2f}{r['mean']/stampel:>11.2f}")
print()
ok = stampel <= 1.2 * floor
print(f"stampel / floor = {stampel/floor:.2f} (goal: at most 1.20) {'met' if ok else 'NOT met'}")
for other in ("jhead -n", "exiv2 rename"):
    if other in results:
        faster = stampel < results[other]["mean"]
        print(f"stampel / {other} = {stampel/results[other]['mean']:.2f} (goal: below 1) {'met' if faster else 'NOT met'}")
PY

# Peak memory on 100,000 files (small ones: only the count matters here).
convert -size 64x48 xc:gray -quality 80 "$work/small.jpg"
exiftool -q -overwrite_original -DateTimeOriginal="2000:01:01 00:00:00" -ModifyDate="2000:01:01 00:00:00" "$work/small.jpg"
python3 tools/bench/make-jpegs.py "$work/small.jpg" "$work/many" 100000
peak=$( { /usr/bin/time -f '%M' "$stampel" "$work/many/*.jpg" >/dev/null; } 2>&1 | tail -1)
renamed=$(ls "$work/many" | grep -c '^2' || true)
echo "100,000 files: peak memory $((peak / 1024)) MiB (goal: under 32 MiB), $renamed files renamed"
