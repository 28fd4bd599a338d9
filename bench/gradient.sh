#!/usr/bin/env bash
# Builds the project and runs the benchmarks under Wine on a private Xvfb (the drawing needs
# the display driver). Usage: bench/gradient.sh [runs per figure]
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
scripts/wine-run build/cross/bench/bench_gradient.exe "${1:-500}"
