#!/usr/bin/env bash
# 32-bit Wine needs a kernel that runs i386 programs. Some virtual machines run 64-bit user
# code only (execve of an i386 program fails with ENOEXEC). There the i386 programs run under
# qemu's user-mode emulator, registered with binfmt_misc. The emulator must be a recent one:
# qemu 7.2 spends about a minute starting each Wine process (Wine's address-space
# reservation), qemu 10 under a second. Does nothing where i386 programs run natively.
set -euo pipefail

probe=/lib/ld-linux.so.2
[ -x "$probe" ] || { echo "i386-userland: $probe missing (wine32 not installed?)" >&2; exit 1; }
"$probe" --version >/dev/null 2>&1 && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)

echo "i386-userland: this kernel does not run i386 programs; using qemu's user-mode emulator"
qemu=/usr/bin/qemu-i386
version() { "$qemu" --version 2>/dev/null | sed -n 's/^qemu-i386 version \([0-9]*\).*/\1/p'; }
if [ ! -x "$qemu" ] || [ "$(version)" -lt 8 ]; then
  list=/etc/apt/sources.list.d/qlx-backports.sources
  if ! grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    "${sudo_cmd[@]}" tee "$list" >/dev/null <<'SRC'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  fi
  export DEBIAN_FRONTEND=noninteractive
  source "$(dirname "$0")/apt.sh"
  qlx_apt_update || { qlx_apt_cleanup; echo "i386-userland: the package index could not be read" >&2; exit 1; }
  qlx_apt_install -t bookworm-backports qemu-user-static || { qlx_apt_cleanup; exit 1; }
  qlx_apt_cleanup
fi

misc=/proc/sys/fs/binfmt_misc
[ -e "$misc/register" ] || "${sudo_cmd[@]}" mount -t binfmt_misc binfmt_misc "$misc"
# A registration that holds an older emulator open (flag F) is replaced.
if [ -e "$misc/qemu-i386" ] && ! grep -qx "interpreter $qemu" "$misc/qemu-i386"; then
  echo -1 | "${sudo_cmd[@]}" tee "$misc/qemu-i386" >/dev/null
fi
if [ ! -e "$misc/qemu-i386" ]; then
  magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":qemu-i386:M::$magic:$mask:$qemu:F" | "${sudo_cmd[@]}" tee "$misc/register" >/dev/null
fi
"$probe" --version >/dev/null 2>&1 || { echo "i386-userland: i386 programs still do not run" >&2; exit 1; }
echo "i386-userland: i386 programs run under $("$qemu" --version | head -1)"
