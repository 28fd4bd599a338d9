#!/usr/bin/env bash
# Starts the installer under Wine in the project's prefix: on the user's display when there is
# one, otherwise under a private Xvfb, with a screenshot of the screen written to build/.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD/build
exe=$root/qlx355.exe

if [ -n "${DISPLAY:-}" ]; then
  echo "starting $exe on display $DISPLAY"
  exec scripts/wine-run "$exe" "$@"
fi

source scripts/xvfb.sh
cleanup() { qlx_stop_wine "$root"; qlx_stop_xvfb; }
# An interrupt ends the script (through the EXIT trap); a trap that only cleaned up would let
# the script go on to its next step without Xvfb.
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
qlx_start_xvfb || exit 1
# The first run makes the prefix (tens of seconds); the wait for the window starts after it.
echo "no display: preparing the Wine prefix under Xvfb ($DISPLAY)"
scripts/wine-run cmd /c exit >/dev/null 2>&1
echo "starting the installer"
scripts/wine-run "$exe" "$@" &
pid=$!
if timeout 20 xdotool search --sync --onlyvisible --name 'Corvane Quillon Installer' >/dev/null 2>&1; then
  sleep 1
  import -window root "$root/run-screenshot.png"
  echo "screenshot of the installer window: $root/run-screenshot.png"
else
  echo "the installer window did not appear within 20 s" >&2
fi
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null || true
