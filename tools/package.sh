#!/usr/bin/env bash
# Makes the release packages from the builds of the native and windows presets (built
# first, or brought up to date):
#   build/packages/stampel_<version>_<arch>.deb     the Linux program and its man page
#   build/packages/Stampel-<version>-win64.zip      Stampel.exe, Stampel.pdf, README, licence
#   build/packages/Stampel-<version>-win64.msi      the same files, installed per user, with
#                                                   Start-menu shortcuts and Explorer entries
# The version is the one of project() in CMakeLists.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/lib/setup.sh

# groff writes the PDF manual; dpkg-dev and file find the libraries the program needs.
if ! ensure_packages cmake g++ make libgtest-dev g++-mingw-w64-x86-64 groff dpkg-dev file wixl msitools; then
  if have_apt; then
    echo "package installation failed" >&2
    exit 1
  fi
  echo "not a Debian machine: cmake, g++, GoogleTest, MinGW-w64, groff, dpkg-dev and wixl must be present"
fi
jobs=$(nproc 2>/dev/null || echo 2)

out=build/packages
rm -rf "$out"
mkdir -p "$out"

# package PRESET GENERATOR: builds the preset and lets CPack make its package.
package() {
  local preset=$1 generator=$2
  echo "== $preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j"$jobs" >"build/package-$preset.log" 2>&1 ||
    { cat "build/package-$preset.log"; exit 1; }
  echo "== $preset: $generator package"
  rm -rf "build/$preset/packages"
  (cd "build/$preset" && cpack -G "$generator" >cpack.log 2>&1) || { cat "build/$preset/cpack.log"; exit 1; }
  cp "build/$preset"/packages/*.* "$out/"
}

package native DEB
package windows ZIP

# The MSI: wixl builds cmake/Stampel.wxs in a folder that holds the zip's files (it takes
# no absolute source paths). NextVersion bounds the versions an install replaces: every
# build of this version and all older ones.
echo "== windows: MSI package"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows/CMakeCache.txt)
homepage=$(sed -n 's/^CMAKE_PROJECT_HOMEPAGE_URL:STATIC=//p' build/windows/CMakeCache.txt)
IFS=. read -r major minor patch <<<"$version"
stage=build/windows/msi-stage
rm -rf "$stage"
cmake --install build/windows --prefix "$stage" --strip >/dev/null
cp cmake/Stampel.wxs ui/win32/Stampel.ico "$stage/"
(cd "$stage" && wixl -a x64 -D "Version=$version" -D "NextVersion=$major.$minor.$((patch + 1))" \
  -D "Homepage=$homepage" -o "$root/$out/Stampel-$version-win64.msi" Stampel.wxs)
ls -l "$out"
