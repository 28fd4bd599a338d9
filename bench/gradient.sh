#!/usr/bin/env bash
# Builds the project and runs the benchmarks under Wine on a private Xvfb (the drawing needs
# the display driver). Usage: bench/gradient.sh [runs per figure]
set -euo pipefail
source "$(dirname "$0")/with-display.inc"
scripts/wine-run build/cross/bench/bench_gradient.exe "${1:-500}"
