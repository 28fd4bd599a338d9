#!/usr/bin/env bash
# The progress window's cost per written file, under Wine on a private Xvfb.
# Usage: bench/progress_window.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD/build
make -s build >/dev/null
source scripts/xvfb.sh
cleanup() { qlx_stop_wine "$root"; qlx_stop_xvfb; }
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
qlx_start_xvfb
scripts/wine-run build/cross/bench/bench_progress_window.exe "${1:-1000}"
