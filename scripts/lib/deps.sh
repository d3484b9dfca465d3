# Installs what the builds and tests need on a Debian 12 machine: quiet and
# quick when everything is there already.  Sourced by scripts/test,
# scripts/demo and scripts/screenshots.

qdbupd_native_packages=(cmake ninja-build g++ pkg-config zlib1g-dev libcrypto++-dev googletest)
qdbupd_windows_packages=(g++-mingw-w64-i686-posix libz-mingw-w64-dev wine wine32 dpkg-dev
                         xvfb xdotool imagemagick x11-utils fonts-dejavu-core fonts-wine locales
                         g++-mingw-w64-x86-64-posix wine64)

qdbupd_missing_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] || printf '%s\n' "${missing[@]}"
}

qdbupd_apt_install() {
  local missing
  mapfile -t missing < <(qdbupd_missing_packages "$@")
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "installing: ${missing[*]}"
  if [[ " ${missing[*]} " == *":i386"* || " ${missing[*]} " == *" wine32 "* ]]; then
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

qdbupd_install_native_deps() { qdbupd_apt_install "${qdbupd_native_packages[@]}"; }
qdbupd_install_windows_deps() { qdbupd_apt_install "${qdbupd_windows_packages[@]}"; }

# True where wine32 can start, that is where the kernel runs 32-bit code.
qdbupd_runs_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }
