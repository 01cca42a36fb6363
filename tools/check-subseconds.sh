#!/usr/bin/env bash
# Compares the milliseconds the readers add to DateTimeOriginal and DateTime (from
# SubSecTimeOriginal and SubSecTime) with ExifTool's SubSecDateTimeOriginal and
# SubSecModifyDate, on every sample file that has one of them. The samples live beside
# the repository, not in it.
#   tools/check-subseconds.sh [SAMPLES_DIR]      (default: ../shared/samples)
set -u -o pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/lib/setup.sh

samples=${1:-$root/../shared/samples}
[ -d "$samples" ] || { echo "no samples in $samples" >&2; exit 2; }
samples=$(cd "$samples" && pwd)
ensure_packages cmake g++ make python3 libimage-exiftool-perl >/dev/null || true
command -v exiftool >/dev/null || { echo "exiftool is missing" >&2; exit 2; }
cmake --preset native >/dev/null && cmake --build --preset native -j2 --target reader_probe >/dev/null || {
  echo "build failed" >&2
  exit 1
}
probe=$root/build/native/tests/bench/reader_probe
oracle=$(mktemp)
ours=$(mktemp)
trap 'rm -f "$oracle" "$ours"' EXIT
# ExifTool's composite dates, without the time zone some of them carry.
(cd "$samples" && exiftool -q -r -T -f -d '%Y:%m:%d %H:%M:%S' -Directory -FileName \
  -SubSecTimeOriginal -SubSecTime . 2>/dev/null) |
  awk -F'\t' '$3 != "-" || $4 != "-" { sub(/^\.\//, "", $1); print $1 "/" $2 "\t" $3 "\t" $4 }' >"$oracle"
cut -f1 "$oracle" | (cd "$samples" && tr '\n' '\0' | xargs -0 "$probe" --milliseconds) >"$ours"
python3 - "$oracle" "$ours" <<'PY'
import sys
# What ExifTool's sub-second text means: its leading digits as a fraction of a second.
def millis(text):
    digits = ""
    for c in text.strip():
        if not c.isdigit():
            break
        digits += c
    return int((digits + "000")[:3]) if digits else 0
oracle = {}
for line in open(sys.argv[1], encoding="utf-8", errors="replace"):
    name, original, own = line.rstrip("\n").split("\t")
    oracle[name] = (original, own)
checked = agreed = 0
for line in open(sys.argv[2], encoding="utf-8", errors="replace"):
    cols = line.rstrip("\n").split("\t")
    if len(cols) < 4 or cols[0] not in oracle:
        continue
    original, own = oracle[cols[0]]
    for text, date, what in ((original, cols[3], "SubSecTimeOriginal"), (own, cols[2], "SubSecTime")):
        if text == "-" or date == "-":
            continue
        checked += 1
        want, got = millis(text), int(date[-3:])
        if want == got:
            agreed += 1
        else:
            print(f"differs: {cols[0]} {what} {text!r}: ExifTool {want} ms, Stampel {got} ms")
digits = sorted({len(t.strip()) for o in oracle.values() for t in o if t != "-"})
print(f"sub-seconds: {agreed} of {checked} agree with ExifTool ({len(oracle)} files; texts of {digits} digits)")
sys.exit(0 if agreed == checked else 1)
PY
