#!/usr/bin/env bash
# Start to visible main window: the installer against a do-nothing window program, alternated,
# under Wine on a private Xvfb. Usage: bench/startup.sh [runs]
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
bench=build/cross/bench
scripts/wine-run "$bench/bench_startup.exe" 'build\qlx355.exe' 'build\cross\bench\bench_do_nothing.exe' "${1:-9}"
