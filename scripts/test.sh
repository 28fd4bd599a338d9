#!/usr/bin/env bash
# Runs every test: host tests, Windows tests under Wine (64-bit and 32-bit prefixes) and the
# end-to-end tests of the real installer, all under a private Xvfb. Ends with CTest's summary.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD/build
source scripts/xvfb.sh

cleanup() { qlx_stop_wine "$root"; qlx_stop_xvfb; }
# An interrupt ends the script (through the EXIT trap); a trap that only cleaned up would let
# the script go on to its next step without Xvfb.
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

qlx_start_xvfb || exit 1
qlx_start_big_xvfb || exit 1
# Make both prefixes before the first test so that no test pays for (or races) their creation.
# The prefixes of the DPI gallery (one per screen DPI) are made alongside.
dpi_jobs=()
for dpi in 96 144 192; do
  QLX_WINE_ROOT=$root/dpi$dpi QLX_WINE_DPI=$dpi scripts/wine-run cmd /c exit >/dev/null 2>&1 &
  dpi_jobs+=($!)
done
scripts/wine-run cmd /c exit >/dev/null 2>&1
scripts/wine-run --win32 cmd /c exit >/dev/null 2>&1
wait "${dpi_jobs[@]}"

# One CTest run over both trees, so that the last line is the one summary.
cat > "$root/CTestTestfile.cmake" <<'CT'
subdirs("native")
subdirs("cross")
CT
ctest --test-dir "$root" -j "$(nproc)" --output-on-failure --timeout 300 "$@"
