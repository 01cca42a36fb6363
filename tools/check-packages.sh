#!/usr/bin/env bash
# Checks the packages that tools/package.sh made in build/packages: the .deb's files and
# control data, its program run from an extracted copy on the demo media, its man page,
# the zip's files, and the zip's Stampel.exe under Wine with /?, whose about window is
# closed with its OK button; the MSI's tables and properties, and under Wine (in a
# prefix of its own) its install, the installed program's window opened for a folder, a
# second install of it and of a newer one, and its uninstall. Ends with
# "packages: N passed, N failed".
# A Wine prefix in WINEPREFIX is used for the zip when there is one; otherwise a throwaway one.
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
msi=build/packages/Stampel-${version}-win64.msi
upgrade_code="{E29F5A40-5845-460C-9750-1748928E4EE6}"
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

# with_helper EXE ARGUMENT HELPER OUTPUT: starts Stampel.exe with the argument under Xvfb
# and the helper that answers its window, writing what the helper printed (without
# carriage returns) to OUTPUT; true when both ended with 0. Every wait is bounded.
with_helper() {
  [ -f "$3" ] || { echo "$3 is missing"; return 1; }
  WINE=$(wine_command) EXE=$1 ARGUMENT=$2 HELPER=$3 OUT=$4.raw timeout 120 xvfb-run -a bash -c '
    "$WINE" "$EXE" "$ARGUMENT" &
    program=$!
    "$WINE" "$HELPER" 60 >"$OUT"
    helper=$?
    wait "$program"
    code=$?
    echo "helper $helper, Stampel.exe $code"
    [ "$helper" -eq 0 ] && [ "$code" -eq 0 ]' || return 1
  tr -d '\r' <"$4.raw" >"$4" && cat "$4"
}

# Stampel.exe /? shows its about window and ends with 0 once a helper clicks its OK.
zip_exe_under_wine() {
  with_helper "$work/Stampel-${version}-win64/Stampel.exe" "/?" \
    build/windows/tests/press_about_ok.exe "$work/about" &&
    grep -qxF "$title" "$work/about" && grep -qxF "Stampel.pdf" "$work/about"
}

# --- the MSI ----------------------------------------------------------------------

# A table of the MSI without its two header lines.
msi_table() { msiinfo export "$msi" "$1" | tail -n +4 | tr -d '\r'; }
msi_property() { msi_table Property | awk -F'\t' -v name="$1" '$1 == name {print $2}'; }

# The files of the zip, one component each for the program and for the shell entries, the
# per-user folders, the properties of Apps & features and an upgrade of every older build.
msi_tables() {
  msi_table File | cut -f3 >"$work/list" &&
    same_files Stampel.exe Stampel.pdf README.md CHANGELOG.md LICENSE.txt || return 1
  [ "$(msi_property ProductName)" = Stampel ] && [ "$(msi_property ProductVersion)" = "$version" ] &&
    [ "$(msi_property Manufacturer)" = "The Stampel developers" ] &&
    [ "$(msi_property UpgradeCode)" = "$upgrade_code" ] &&
    [ "$(msi_property ARPPRODUCTICON)" = Stampel.ico ] || { msi_table Property; return 1; }
  [ -z "$(msi_property ALLUSERS)" ] || { echo "ALLUSERS is set: not a per-user package"; return 1; }
  # Word count bit 8: no elevation needed.
  local words
  words=$(msiinfo suminfo "$msi" | sed -n 's/^Source: \([0-9]*\).*/\1/p')
  [ $((words & 8)) -eq 8 ] || { echo "the package asks for elevation (word count $words)"; return 1; }
  msi_table Directory | grep -qP '^INSTALLDIR\tProgramsFolder\tStampel$' &&
    msi_table Directory | grep -qP '^ProgramsFolder\tLocalAppDataFolder\tPrograms$' || return 1
  msi_table Shortcut | cut -f3,5 >"$work/list" &&
    same_files "Stampel	[INSTALLDIR]Stampel.exe" "Stampel Manual	[INSTALLDIR]Stampel.pdf" || return 1
  msi_table Registry | awk -F'\t' '$2 == 1 && $3 ~ /command$/ {print $3 "\t" $5}' >"$work/list" &&
    same_files "Software\Classes\Directory\shell\Stampel\command	\"[INSTALLDIR]Stampel.exe\" \"/W:%1\"" \
      "Software\Classes\Directory\Background\shell\Stampel\command	\"[INSTALLDIR]Stampel.exe\" \"/W:%V\"" \
      "Software\Classes\Drive\shell\Stampel\command	\"[INSTALLDIR]Stampel.exe\" \"/W:%1\"" || return 1
  msi_table Upgrade | grep -qP "^\Q$upgrade_code\E\t0\.0\.0\t[0-9.]+\t\t256\t\tOLDERFOUND$"
}

# The MSI under Wine, in a prefix of its own so that no earlier settings or journals count.
msi_prefix=
msi_wine() { WINEPREFIX=$msi_prefix WINEDEBUG=-all "$(wine_command)" "$@"; }
msi_user_folder() { ls -d "$msi_prefix"/drive_c/users/*/AppData 2>/dev/null | grep -v /Public/ | head -1; }
msi_installed() { msi_wine uninstaller --list 2>/dev/null | tr -d '\r' | grep '|||Stampel$'; }
key_present() { msi_wine reg query "$1" >/dev/null 2>&1; }
explorer_keys=('HKCU\Software\Classes\Directory\shell\Stampel\command'
  'HKCU\Software\Classes\Directory\Background\shell\Stampel\command'
  'HKCU\Software\Classes\Drive\shell\Stampel\command')

msi_install() {
  msi_prefix=$work/msi-prefix
  WINEPREFIX=$msi_prefix WINEDEBUG=-all "$(wine_command)" wineboot -i >/dev/null 2>&1
  msi_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  msi_wine msiexec /i "$(winepath_of "$msi")" /qn || { echo "msiexec /i failed"; return 1; }
  local appdata
  appdata=$(msi_user_folder)
  local f
  for f in Stampel.exe Stampel.pdf README.md CHANGELOG.md LICENSE.txt; do
    cmp "$appdata/Local/Programs/Stampel/$f" "$work/Stampel-${version}-win64/$f" || return 1
  done
  for f in "Stampel.lnk" "Stampel Manual.lnk"; do
    [ -s "$appdata/Roaming/Microsoft/Windows/Start Menu/Programs/$f" ] || { echo "no $f"; return 1; }
  done
  for f in "${explorer_keys[@]}"; do
    msi_wine reg query "$f" | tr -d '\r' | grep -q 'Programs\\Stampel\\Stampel.exe" "/W:%' ||
      { echo "no $f"; return 1; }
  done
  [ "$(msi_installed | wc -l)" -eq 1 ]
}

# Explorer's command as the shell starts it: the installed program's window opens with the
# folder and *.jpg in its path box.
msi_window_at_folder() {
  # The prefix's server, started without a display by the install, must be gone first:
  # windows of a server that has no display never come up.
  WINEPREFIX=$msi_prefix wineserver -w
  WINEPREFIX=$msi_prefix with_helper "$(msi_user_folder)/Local/Programs/Stampel/Stampel.exe" \
    '/W:C:\photos' build/windows/tests/read_main_window.exe "$work/path" &&
    [ "$(cat "$work/path")" = 'C:\photos\*.jpg' ]
}

# The same package again, a build of it, and a newer version: one entry stays, the newest.
msi_reinstall_and_upgrade() {
  # A run of the installed program leaves a journal that the uninstall must not take.
  mkdir -p "$work/wine-photos" && cp tools/demo/media/IMG_0001.JPG "$work/wine-photos/" &&
    msi_wine "$(msi_user_folder)/Local/Programs/Stampel/Stampel.exe" "$(winepath_of "$work/wine-photos")\*.JPG" ||
    return 1
  ls "$(msi_user_folder)"/Local/Stampel/journal/*.txt >/dev/null || { echo "no journal"; return 1; }
  local first
  first=$(msi_installed)
  msi_wine msiexec /i "$(winepath_of "$msi")" /qn || return 1
  [ "$(msi_installed)" = "$first" ] || { echo "again: $(msi_installed)"; return 1; }
  # A newer version from the same files, as the next release would be.
  IFS=. read -r major minor patch <<<"$version"
  local newer=$major.$minor.$((patch + 1)) stage=$work/newer
  mkdir -p "$stage" && cp "$work/Stampel-${version}-win64"/* cmake/Stampel.wxs ui/win32/Stampel.ico "$stage/" &&
    (cd "$stage" && wixl -a x64 -D "Version=$newer" -D "NextVersion=$major.$minor.$((patch + 2))" \
      -D Homepage=x -o newer.msi Stampel.wxs) || return 1
  msi_wine msiexec /i "$(winepath_of "$stage/newer.msi")" /qn || return 1
  [ "$(msi_installed | wc -l)" -eq 1 ] && [ "$(msi_installed)" != "$first" ] ||
    { echo "after the newer one: $(msi_installed)"; return 1; }
  msi_wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
    grep -qP "DisplayVersion\s+REG_SZ\s+$newer$"
}

# The uninstall takes what the install put there and leaves the settings and journals.
msi_uninstall() {
  local code
  code=$(msi_installed | cut -d'|' -f1)
  msi_wine msiexec /x "$code" /qn || return 1
  [ -z "$(msi_installed)" ] || { echo "still listed"; return 1; }
  local appdata
  appdata=$(msi_user_folder)
  [ ! -e "$appdata/Local/Programs/Stampel" ] || { echo "the program folder stays"; return 1; }
  ! ls "$appdata/Roaming/Microsoft/Windows/Start Menu/Programs/" | grep -q Stampel ||
    { echo "a shortcut stays"; return 1; }
  local key
  for key in "${explorer_keys[@]}"; do
    ! key_present "${key%\\command}" || { echo "$key stays"; return 1; }
  done
  key_present 'HKCU\Software\Stampel' || { echo "the settings key is gone"; return 1; }
  ls "$appdata"/Local/Stampel/journal/*.txt >/dev/null || { echo "the journals are gone"; return 1; }
}

# A Linux path as Wine's programs see it.
winepath_of() { echo "Z:$(cd "$(dirname "$1")" && pwd)/$(basename "$1")" | tr / '\\'; }

check "the .deb holds the program, its man page and its documents" deb_files
check "the .deb's control data and the libraries it depends on" deb_control
check "the .deb's program, extracted, sorts the demo media" deb_program_on_demo_media
check "the .deb's man page renders without warnings" deb_man_page
check "the zip holds Stampel.exe without DLLs of its own, Stampel.pdf, README, changelog, licence" zip_files
check "the MSI holds the zip's files, per user, with its shortcuts, Explorer entries and upgrade" msi_tables
if [ -n "$(wine_command)" ] && command -v xvfb-run >/dev/null; then
  if [ -z "${WINEPREFIX:-}" ] || [ ! -d "$WINEPREFIX" ]; then
    start_wine_prefix
    trap 'wineserver -k >/dev/null 2>&1; rm -rf "$WINEPREFIX" "$work"' EXIT
  fi
  check "the zip's Stampel.exe /? shows the about window and ends with 0" zip_exe_under_wine
  check "the MSI installs per user: the files, the shortcuts, the Explorer entries, one entry" msi_install
  check "the installed Stampel.exe /W:C:\photos opens its window at C:\photos\*.jpg" msi_window_at_folder
  check "the MSI again, and a newer one, leave one entry: the newest" msi_reinstall_and_upgrade
  check "the uninstall removes what the MSI put there and leaves settings and journals" msi_uninstall
  [ -n "$msi_prefix" ] && WINEPREFIX=$msi_prefix wineserver -k >/dev/null 2>&1
else
  echo "Wine or Xvfb is missing: the zip's Stampel.exe was NOT run"
fi

echo "packages: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
