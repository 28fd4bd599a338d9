#!/usr/bin/env bash
# Median cost of one run-log line under Wine (64-bit prefix), over many lines.
# Usage: bench/log_line.sh [lines]   (builds first; prints one result line)
set -euo pipefail
cd "$(dirname "$0")/.."
make --no-print-directory build >/dev/null
scripts/wine-run build/cross/bench/bench_log_line.exe "${1:-2000}"
