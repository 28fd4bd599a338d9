# Sourced by the run and test scripts: starts a private Xvfb on a free display, exports DISPLAY,
# and stops it (and the project's wineservers) on exit. Never touches anyone else's server.
# The test script starts a second, larger one for the prefixes at other DPIs (QLX_BIG_DISPLAY):
# the main window at 200 % is wider than 1280 pixels, and the usual screen stays as it was.

# qlx_xvfb <size> <pid variable>: prints the display's number.
qlx_xvfb() {
  local fifo num
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 7 -screen 0 "$1" -nolisten tcp 7>"$fifo" >/dev/null 2>&1 &
  printf -v "$2" '%s' "$!"
  read -r -t 20 num <"$fifo" || { echo "could not start Xvfb" >&2; rm -f "$fifo"; return 1; }
  rm -f "$fifo"
  QLX_XVFB_NUM=$num
}

qlx_start_xvfb() {
  qlx_xvfb 1280x1024x24 QLX_XVFB_PID || return 1
  export DISPLAY=":$QLX_XVFB_NUM"
}

qlx_start_big_xvfb() {
  qlx_xvfb 2560x1600x24 QLX_BIG_XVFB_PID || return 1
  export QLX_BIG_DISPLAY=":$QLX_XVFB_NUM"
}

qlx_stop_wine() {
  local root=$1 p
  for p in wine64 wine32 dpi*/wine64; do
    [ -d "$root/$p" ] && WINEPREFIX="$root/$p" wineserver -k >/dev/null 2>&1 || true
  done
  # The unprivileged user's prefix of this build tree (tests/e2e/unprivileged.sh), whose
  # programs stay behind when a test there is stopped on its time-out.
  local unpriv
  unpriv=${TMPDIR:-/tmp}/qlx-unpriv-$(printf '%s' "$(cd "$root" && pwd)" | md5sum | cut -c1-8)/prefix
  if [ -d "$unpriv" ] && [ "$(id -u)" = 0 ]; then
    runuser -u nobody -- env WINEPREFIX="$unpriv" wineserver -k >/dev/null 2>&1 || true
  fi
}

qlx_stop_xvfb() {
  local pid
  for pid in "${QLX_XVFB_PID:-}" "${QLX_BIG_XVFB_PID:-}"; do
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  QLX_XVFB_PID=
  QLX_BIG_XVFB_PID=
}
