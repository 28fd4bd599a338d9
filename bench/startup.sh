#!/usr/bin/env bash
# Start to visible main window: the installer against a do-nothing window program, alternated,
# under Wine on a private Xvfb. Usage: bench/startup.sh [runs]
set -euo pipefail
source "$(dirname "$0")/with-display.inc"
bench=build/cross/bench
scripts/wine-run "$bench/bench_startup.exe" 'build\qlx355.exe' 'build\cross\bench\bench_do_nothing.exe' "${1:-9}"
