#!/usr/bin/env bash
# Checks the packages that tools/package.sh made in build/packages: the .deb's files and
# control data, its program run from an extracted copy on the demo media, its man page,
# the zip's files, and the zip's Stampel.exe under Wine with /?, whose about window is
# closed with its OK button. Ends with "packages: N passed, N failed".
# A Wine prefix in WINEPREFIX is used when there is one; otherwise a throwaway one.
set -u -o pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/lib/setup.sh

passed=0
failed=0
# check NAME COMMAND...: runs one check; its output is shown when it fails.
check() {
  local name=$1 log
  shift
  log=$(mktemp)
  if "$@" >"$log" 2>&1; then
    echo "ok - $name"
    passed=$((passed + 1))
  else
    echo "FAILED - $name"
    sed 's/^/    /' "$log" | head -40
    failed=$((failed + 1))
  fi
  rm -f "$log"
}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/native/CMakeCache.txt)
title="Stampel  -  Exif Rename Utility  -  Version $version (2008-06-15)"
deb=build/packages/stampel_${version}_$(dpkg --print-architecture 2>/dev/null || echo amd64).deb
zip=build/packages/Stampel-${version}-win64.zip
work=$(mktemp -d "${TMPDIR:-/tmp}/stampel-packages.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The files a list must hold, no more and no fewer.
same_files() {
  diff <(printf '%s\n' "$@" | sort) <(sort "$work/list")
}

deb_files() {
  dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' >"$work/list" &&
    same_files ./usr/bin/stampel ./usr/share/man/man1/stampel.1.gz ./usr/share/doc/stampel/copyright \
      ./usr/share/doc/stampel/README.md ./usr/share/doc/stampel/CHANGELOG.md
}

deb_control() {
  dpkg-deb -f "$deb" Package Version Depends | tee "$work/control" &&
    grep -qx "Package: stampel" "$work/control" && grep -qx "Version: $version" "$work/control" &&
    grep -q "^Depends: .*libc6 (>= " "$work/control" && grep -q "libstdc++6" "$work/control"
}

# The extracted program sorts the demo media into year and month folders, every file
# with its content, and says which version it is.
deb_program_on_demo_media() {
  dpkg-deb -x "$deb" "$work/deb" || return 1
  local stampel=$work/deb/usr/bin/stampel
  [ "$("$stampel" --version)" = "$title" ] || { echo "--version: $("$stampel" --version)"; return 1; }
  mkdir "$work/demo" && cp -r tools/demo/media "$work/demo/photos" &&
    (cd "$work/demo" && "$stampel" /S /R '/F:yyyy\mm\yyyy-mm-dd_hhnnss_' 'photos/*.*') || return 1
  (cd "$work/demo" && find . -type f | sort) >"$work/list"
  same_files ./2004/05/2004-05-07_100000_IMG_0001.JPG ./2005/12/2005-12-24_183000_IMG_0002.JPG \
    ./2005/12/2005-12-24_183100_IMG_0003.JPG ./2006/05/2006-05-04_091011_VN-0001.WAV \
    ./2007/03/2007-03-02_111213_DSC_0042.NEF ./2008/06/2008-06-14_162000_CIMG0815.AVI \
    ./2008/06/2008-06-15_140509_DSCN1234.jpg ./photos/notes.png || return 1
  local original
  for original in $(cd tools/demo/media && find . -type f); do
    cmp "tools/demo/media/$original" "$(find "$work/demo" -name "*$(basename "$original")" | head -1)" || return 1
  done
}

deb_man_page() {
  local page=$work/deb/usr/share/man/man1/stampel.1.gz
  [ -s "$page" ] && zcat "$page" | grep -q "Stampel $version" &&
    [ -z "$(zcat "$page" | groff -t -man -ww -Tutf8 2>&1 >/dev/null)" ]
}

zip_files() {
  cmake -E tar tf "$zip" >"$work/list" || return 1
  local top=Stampel-${version}-win64
  same_files "$top/Stampel.exe" "$top/Stampel.pdf" "$top/README.md" "$top/CHANGELOG.md" "$top/LICENSE.txt" || return 1
  (cd "$work" && cmake -E tar xf "$root/$zip") || return 1
  [ "$(head -c 5 "$work/$top/Stampel.pdf")" = "%PDF-" ] || { echo "Stampel.pdf is no PDF"; return 1; }
  # Linked statically: it needs only the DLLs every Windows has.
  x86_64-w64-mingw32-objdump -p "$work/$top/Stampel.exe" | sed -n 's/^\tDLL Name: //p' | tee "$work/dlls" &&
    ! grep -viE '^(kernel32|user32|gdi32|advapi32|comctl32|shell32|msvcrt|ole32|version)\.dll$' "$work/dlls"
}

# Stampel.exe /? shows its about window and ends with 0 once OK is clicked; a helper
# clicks it, and every wait is bounded.
zip_exe_under_wine() {
  local exe=$work/Stampel-${version}-win64/Stampel.exe helper=build/windows/tests/press_about_ok.exe
  [ -f "$helper" ] || { echo "$helper is missing"; return 1; }
  WINE=$(wine_command) EXE=$exe HELPER=$helper WORK=$work timeout 120 xvfb-run -a bash -c '
    "$WINE" "$EXE" "/?" &
    program=$!
    "$WINE" "$HELPER" 60 >"$WORK/about.txt"
    helper=$?
    wait "$program"
    code=$?
    echo "helper $helper, Stampel.exe $code"
    [ "$helper" -eq 0 ] && [ "$code" -eq 0 ]' || return 1
  tr -d '\r' <"$work/about.txt" >"$work/about" && cat "$work/about" &&
    grep -qxF "$title" "$work/about" && grep -qxF "Stampel.pdf" "$work/about"
}

check "the .deb holds the program, its man page and its documents" deb_files
check "the .deb's control data and the libraries it depends on" deb_control
check "the .deb's program, extracted, sorts the demo media" deb_program_on_demo_media
check "the .deb's man page renders without warnings" deb_man_page
check "the zip holds Stampel.exe without DLLs of its own, Stampel.pdf, README, changelog, licence" zip_files
if [ -n "$(wine_command)" ] && command -v xvfb-run >/dev/null; then
  if [ -z "${WINEPREFIX:-}" ] || [ ! -d "$WINEPREFIX" ]; then
    start_wine_prefix
    trap 'wineserver -k >/dev/null 2>&1; rm -rf "$WINEPREFIX" "$work"' EXIT
  fi
  check "the zip's Stampel.exe /? shows the about window and ends with 0" zip_exe_under_wine
else
  echo "Wine or Xvfb is missing: the zip's Stampel.exe was NOT run"
fi

echo "packages: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
