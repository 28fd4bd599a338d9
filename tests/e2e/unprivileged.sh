#!/usr/bin/env bash
# Runs a Windows test program as an unprivileged user (nobody) in a Wine prefix of its own,
# made on first use under /tmp. Wine running as root ignores the read-only attribute;
# tests of read-only files need this. Usage: unprivileged.sh program.exe [args...]
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=${QLX_WINE_ROOT:-$here/../../build}
user=nobody
# Outside the build tree, which may sit below folders the user cannot enter.
base=${TMPDIR:-/tmp}/qlx-unpriv-$(printf '%s' "$(cd "$root" && pwd)" | md5sum | cut -c1-8)
prefix=$base/prefix
home=$base/home

if [ "$(id -u)" != 0 ] || ! id "$user" >/dev/null 2>&1; then
  echo "needs root and the user $user to switch to; skipped"
  exit 77
fi

as_user() {
  runuser -u "$user" -- env HOME="$home" WINEPREFIX="$prefix" WINEDEBUG=-all DISPLAY="${DISPLAY:-}" "$@"
}

mkdir -p "$prefix" "$home"
chmod 755 "$base"
chown "$user" "$prefix" "$home"
if [ ! -f "$prefix/.qlx-ready" ]; then
  exec 9>"$prefix.lock"
  flock 9
  if [ ! -f "$prefix/.qlx-ready" ]; then
    as_user env WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
    as_user wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    as_user wineserver -w
    touch "$prefix/.qlx-ready"
  fi
  flock -u 9
fi

program=$1; shift
mkdir -p "$home/bin"
cp "$program" "$home/bin/test.exe"
cp "$root/qlx355.exe" "$home/bin/qlx355.exe"
chown -R "$user" "$home/bin"
as_user env QLX_INSTALLER="$home/bin/qlx355.exe" wine "$home/bin/test.exe" "$@"
rc=$?
as_user wineserver -k >/dev/null 2>&1
exit $rc
