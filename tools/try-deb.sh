#!/usr/bin/env bash
# Installs the .deb that tools/package.sh made into a clean Debian root and uses it there
# as a user would: dpkg -i, man stampel, and stampel /S '*.jpg' on a copy of the demo
# media. The root is made with debootstrap (minbase and man-db) from the mirror and
# release this machine's apt uses, and is kept for the next run (ROOT= chooses the
# folder; default build/clean-root). Needs root and the package mirror; not part of
# tools/test.sh, which checks an extracted copy instead.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/lib/setup.sh

deb=$(ls build/packages/stampel_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { echo "no package in build/packages: run tools/package.sh first" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || { echo "needs root (debootstrap, chroot)" >&2; exit 1; }
ensure_packages debootstrap || { echo "debootstrap is missing" >&2; exit 1; }

chroot_dir=${ROOT:-$root/build/clean-root}
if [ ! -x "$chroot_dir/usr/bin/man" ]; then
  . /etc/os-release
  # The mirror apt uses here, from a one-line or a deb822 source list.
  mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null |
    sed -n -e 's/^deb \(\[[^]]*\] \)\?\([^ ]*\) .*/\2/p' -e 's/^URIs: *\([^ ]*\).*/\1/p' |
    grep -v security | head -1 || true)
  [ -n "$mirror" ] || { echo "no package mirror found in apt's sources" >&2; exit 1; }
  echo "== debootstrap $VERSION_CODENAME into $chroot_dir"
  rm -rf "$chroot_dir"
  debootstrap --variant=minbase --include=man-db "$VERSION_CODENAME" "$chroot_dir" "$mirror" \
    >"$root/build/debootstrap.log" 2>&1 || { tail -20 "$root/build/debootstrap.log"; exit 1; }
fi

echo "== dpkg -i $(basename "$deb")"
cp "$deb" "$chroot_dir/tmp/"
chroot "$chroot_dir" dpkg -i "/tmp/$(basename "$deb")"
chroot "$chroot_dir" dpkg -L stampel

echo "== man stampel"
chroot "$chroot_dir" env MANWIDTH=80 MANPAGER=cat man stampel | head -30

echo "== stampel /S '*.jpg'   (in /tmp/photos, a copy of the demo media)"
rm -rf "$chroot_dir/tmp/photos"
cp -r tools/demo/media "$chroot_dir/tmp/photos"
chroot "$chroot_dir" sh -c "cd /tmp/photos && HOME=/tmp stampel /S '*.jpg'; echo \"== exit code \$?\"; ls -R"
