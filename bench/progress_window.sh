#!/usr/bin/env bash
# The progress window's cost per written file, under Wine on a private Xvfb.
# Usage: bench/progress_window.sh [runs]
set -euo pipefail
source "$(dirname "$0")/with-display.inc"
scripts/wine-run build/cross/bench/bench_progress_window.exe "${1:-1000}"
