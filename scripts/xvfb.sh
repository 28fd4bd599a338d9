# Sourced by the run and test scripts: starts a private Xvfb on a free display, exports DISPLAY,
# and stops it (and the project's wineservers) on exit. Never touches anyone else's server.
qlx_start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 7 -screen 0 1280x1024x24 -nolisten tcp 7>"$fifo" >/dev/null 2>&1 &
  QLX_XVFB_PID=$!
  local num
  read -r -t 20 num <"$fifo" || { echo "could not start Xvfb" >&2; rm -f "$fifo"; return 1; }
  rm -f "$fifo"
  export DISPLAY=":$num"
}

qlx_stop_wine() {
  local root=$1 p
  for p in wine64 wine32; do
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
  if [ -n "${QLX_XVFB_PID:-}" ]; then
    kill "$QLX_XVFB_PID" 2>/dev/null || true
    wait "$QLX_XVFB_PID" 2>/dev/null || true
    QLX_XVFB_PID=
  fi
}
