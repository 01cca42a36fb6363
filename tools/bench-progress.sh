#!/usr/bin/env bash
# What the progress window costs a long batch run on Windows: renames N generated JPEGs
# (20,000 unless told) with and without /S under Wine and Xvfb, alternating, and prints
# each time and the overhead.
#   tools/bench-progress.sh [FILES] [PAIRS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/lib/setup.sh
files=${1:-20000}
pairs=${2:-2}
ensure_packages cmake g++-mingw-w64-x86-64 wine wine64 xvfb xauth imagemagick libimage-exiftool-perl python3 bc || true
cmake --preset windows >/dev/null
cmake --build --preset windows -j"$(nproc)" --target Stampel >/dev/null
exe=$root/build/windows/entry/Stampel.exe

work=$(mktemp -d "${TMPDIR:-/tmp}/stampel-progress.XXXXXX")
start_wine_prefix
trap 'wineserver -k >/dev/null 2>&1; rm -rf "$WINEPREFIX" "$work"' EXIT
convert -size 64x48 xc:gray -quality 80 "$work/small.jpg"
exiftool -q -overwrite_original -DateTimeOriginal="2000:01:01 00:00:00" -ModifyDate="2000:01:01 00:00:00" "$work/small.jpg"
python3 tools/bench/make-jpegs.py "$work/small.jpg" "$work/master" "$files"

cat >"$work/run.sh" <<RUN
#!/usr/bin/env bash
cd "$work"
# The first Wine start of a prefix is slow: one untimed run warms it up.
mkdir -p warm && cp small.jpg warm/ && "$(wine_command)" "$exe" 'warm\\*.jpg'
for i in \$(seq $pairs); do
  for mode in plain S; do
    rm -rf run && cp -al master run
    start=\$(date +%s.%N)
    if [ \$mode = S ]; then "$(wine_command)" "$exe" /S 'run\\*.jpg'; else "$(wine_command)" "$exe" 'run\\*.jpg'; fi
    echo "\$mode \$(echo "\$(date +%s.%N) - \$start" | bc)"
  done
done
RUN
chmod +x "$work/run.sh"
xvfb-run -a "$work/run.sh" 2>/dev/null | tee "$work/times"
awk -v files="$files" '
  $1 == "plain" { plain += $2; n++ } $1 == "S" { shown += $2 }
  END { printf "%d files: without /S %.1f s, with /S %.1f s (means of %d): the window adds %.1f%% (goal: at most 25%%)\n",
        files, plain / n, shown / n, n, 100 * (shown - plain) / plain }' "$work/times"
