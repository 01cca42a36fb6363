#!/usr/bin/env bash
# The main job on the bundled sample media: builds Stampel for this machine, copies the
# small sample files of tools/demo/media (JPEGs with Exif, a raw-style TIFF, an AVI and a
# WAV with date chunks, a file with no metadata) into a scratch folder, sorts them into
# year and month folders with one batch command, and prints the resulting tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/lib/setup.sh
if ! ensure_packages cmake g++ make; then
  if have_apt; then
    echo "package installation failed" >&2
    exit 1
  fi
  echo "not a Debian machine: cmake, g++ and make must be present"
fi

echo "== building stampel"
cmake -S . -B build/demo -DCMAKE_BUILD_TYPE=Release -DSTAMPEL_BUILD_TESTS=OFF >/dev/null
cmake --build build/demo -j"$(nproc)" --target stampel >"$root/build/demo/build.log" 2>&1 || { cat "$root/build/demo/build.log"; exit 1; }
stampel=$root/build/demo/entry/stampel

scratch=$(mktemp -d "${TMPDIR:-/tmp}/stampel-demo.XXXXXX")
cp -r tools/demo/media "$scratch/photos"

show_tree() {
  (cd "$1" && find . -mindepth 1 | sort | while read -r path; do
    depth=$(($(tr -cd '/' <<<"$path" | wc -c) - 1))
    printf '%*s%s%s\n' $((depth * 4)) '' "$(basename "$path")" "$([ -d "$path" ] && echo /)"
  done)
}

echo "== before: $scratch"
show_tree "$scratch"

format='yyyy\mm\yyyy-mm-dd_hhnnss_'
echo "== stampel /S /R \"/F:$format\" \"photos/*.*\"   (in $scratch)"
cd "$scratch"
"$stampel" /S /R "/F:$format" "photos/*.*"
echo "== exit code $?"

echo "== after: $scratch"
show_tree "$scratch"
