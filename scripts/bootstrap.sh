#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
# Idempotent and quiet when everything is there. Runs as root or through sudo.
set -euo pipefail

packages=(
  g++-mingw-w64-i686 libz-mingw-w64-dev
  wine wine32:i386 wine64
  xvfb xdotool imagemagick
  cmake ninja-build googletest
  clang libclang-rt-14-dev zlib1g-dev libdeflate-dev
  fonts-wine g++ make python3
  osslsigncode openssl
  locales
)
# Locales the tests run the programs under (code page 932 for Japanese folder names).
locales=(ja_JP)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "bootstrap: needs root or sudo to install packages" >&2; exit 1; }
  sudo_cmd=(sudo)
fi

need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done

# Makes the UTF-8 locales the tests need that the machine lacks.
make_locales() {
  local name
  for name in "${locales[@]}"; do
    locale -a 2>/dev/null | grep -qix "$name.utf8" && continue
    echo "bootstrap: making the locale $name.UTF-8"
    "${sudo_cmd[@]}" localedef -i "$name" -f UTF-8 "$name.UTF-8"
  done
}

if [ "$need_i386" -eq 0 ] && [ "${#missing[@]}" -eq 0 ]; then
  make_locales
  exec "$(dirname "$0")/i386-userland.sh"
fi

echo "bootstrap: installing ${missing[*]:-(i386 architecture)}"
if [ "$need_i386" -eq 1 ]; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
source "$(dirname "$0")/apt.sh"
qlx_apt_update || { qlx_apt_cleanup; echo "bootstrap: the package index could not be read (apt's words above)" >&2; exit 1; }
if [ "${#missing[@]}" -gt 0 ]; then
  qlx_apt_install "${missing[@]}" || { qlx_apt_cleanup; exit 1; }
fi
qlx_apt_cleanup
make_locales
echo "bootstrap: done"
exec "$(dirname "$0")/i386-userland.sh"
