# Shared by the tools/ scripts: installs the Debian packages a script needs.
# Source it, then call ensure_packages NAME...

# Runs a command as root (directly, or through sudo when that is at hand).
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  elif command -v sudo >/dev/null 2>&1; then
    sudo "$@"
  else
    echo "need root to run: $*" >&2
    return 1
  fi
}

# True on a machine with Debian's package tools.
have_apt() {
  command -v apt-get >/dev/null 2>&1 && command -v dpkg-query >/dev/null 2>&1
}

package_installed() {
  [ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null)" = "install ok installed" ]
}

# Installs the packages that are missing; returns non-zero when that failed.
ensure_packages() {
  have_apt || return 1
  local missing=()
  for p in "$@"; do package_installed "$p" || missing+=("$p"); done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The Wine launcher, or nothing.
wine_command() {
  command -v wine 2>/dev/null || { [ -x /usr/lib/wine/wine64 ] && echo /usr/lib/wine/wine64; }
}

# Starts a throwaway Wine prefix for this run and removes it on exit.
start_wine_prefix() {
  WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/stampel-wine.XXXXXX")
  export WINEPREFIX WINEDEBUG=-all
  trap 'wineserver -k >/dev/null 2>&1; rm -rf "$WINEPREFIX"' EXIT
  "$(wine_command)" wineboot -i >/dev/null 2>&1
  # Under Xvfb there is no window manager, and Wine would wait two seconds for each
  # managed window that is hidden or destroyed; unmanaged windows do not wait.
  "$(wine_command)" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1 || true
}
