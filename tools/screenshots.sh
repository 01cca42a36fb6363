#!/usr/bin/env bash
# Takes a screenshot of each window of the program as a user sees it: builds the Windows
# targets, shows each window under Xvfb in a Wine virtual desktop (so Wine draws the
# window frames), captures the screen with ImageMagick and crops it to the window.
# The pictures go to docs/screenshots/ (or the folder given as the first argument).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/lib/setup.sh

out=${1:-docs/screenshots}
ensure_packages cmake g++-mingw-w64-x86-64 wine wine64 xvfb xauth imagemagick || true
for tool in xvfb-run import convert x86_64-w64-mingw32-g++-posix; do
  command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done
[ -n "$(wine_command)" ] || { echo "wine is missing" >&2; exit 1; }

cmake --preset windows >/dev/null
cmake --build --preset windows -j2 --target ui_screens
scenes_exe=build/windows/tests/ui_screens.exe

start_wine_prefix
# Windows has Tahoma and MS Sans Serif; Wine ships look-alikes that a fresh prefix may
# not see, so they are put where Windows keeps its fonts.
if [ -d /usr/share/wine/fonts ]; then
  cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/sserif*.fon \
    "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi

mkdir -p "$out"
work=$(mktemp -d)
trap 'wineserver -k >/dev/null 2>&1; rm -rf "$WINEPREFIX" "$work"' EXIT

# shoot SCENE FILE: shows the scene, waits until it has drawn, saves the cropped picture.
# The run scenes rename a fresh copy of the demo media for real.
shoot() {
  local scene=$1 file=$2
  rm -f "$work/rect.txt" "$work/screen.png"
  rm -rf "$WINEPREFIX/drive_c/Photos"
  cp -r tools/demo/media "$WINEPREFIX/drive_c/Photos"
  WINE="$(wine_command)" EXE="$scenes_exe" SCENE="$scene" WORK="$work" \
    xvfb-run -a -s "-screen 0 1600x900x24" bash -c '
      "$WINE" explorer /desktop=shots,1600x900 "$EXE" "$SCENE" "Z:${WORK//\//\\}\\rect.txt" \
        "C:\\Photos" &
      pid=$!
      for _ in $(seq 60); do [ -s "$WORK/rect.txt" ] && break; sleep 0.5; done
      sleep 2  # let the window finish painting
      import -window root "$WORK/screen.png"
      kill "$pid" 2>/dev/null || true
      wineserver -k >/dev/null 2>&1 || true'
  if [ ! -s "$work/rect.txt" ] || [ ! -s "$work/screen.png" ]; then
    echo "no picture of $scene" >&2
    return 1
  fi
  read -r left top width height <"$work/rect.txt"
  convert "$work/screen.png" -crop "${width}x${height}+${left}+${top}" +repage "$out/$file"
  echo "$out/$file: ${width}x${height}"
}

shoot main main-window.png
shoot main-run main-window-run.png
shoot setup translations.png
shoot progress-batch progress-batch.png
shoot about about.png
