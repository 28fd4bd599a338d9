#!/usr/bin/env bash
# `make bench`: runs the benchmark sections and writes their tables into bench/RESULTS.md (the
# part between the "latest" marks; the earlier sections below stay as recorded) and into the
# benchmark notes (docs/benchmarks.md).
#   BENCH_RUNS=7      runs of each program in the install and start-up sections
#   BENCH_SCALES="1 10"  payload scales of the install section ("1" skips the 235 MB payload;
#                        "1 10 1g" adds the 1 GB one, without NSIS LZMA)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${BENCH_RUNS:-7}
scales=${BENCH_SCALES:-1 10}
report=$(mktemp)
trap 'rm -f "$report"' EXIT

machine() {
  local cpu
  cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
  echo "Machine: $(nproc) cores, ${cpu:-unknown CPU}, $(wine --version 2>/dev/null), Debian $(cat /etc/debian_version)."
  if [ -n "$(ls /proc/sys/fs/binfmt_misc/ 2>/dev/null | grep -i i386)" ]; then
    echo "No i386 code runs natively here: every 32-bit Wine program (the installer, the floor, NSIS's"
    echo "installers) runs under qemu-i386 user emulation, about 6 to 14 times slower than natively."
    echo "Ratios within one call are comparable; absolute times are not those of a real machine."
  fi
}

{
  echo "## Latest \`make bench\` ($(date -u '+%Y-%m-%d %H:%M') UTC)"
  echo
  machine
  echo
  # shellcheck disable=SC2086
  bench/install.sh "$runs" $scales
  echo "### Start to visible main window (\`bench/startup.sh\`)"
  echo
  echo '```'
  bench/startup.sh "$runs" | tr -d '\r'
  echo '```'
  echo
} | tee "$report"

python3 - "$report" <<'EOF'
import re, sys
latest = open(sys.argv[1]).read().rstrip() + "\n"
for path, begin, end in (("bench/RESULTS.md", "<!-- latest:begin -->", "<!-- latest:end -->"),
                         ("docs/benchmarks.md", "<!-- bench:begin -->", "<!-- bench:end -->")):
    text = open(path).read()
    block = begin + "\n" + latest + end
    if begin in text:
        text = re.sub(re.escape(begin) + ".*?" + re.escape(end), lambda m: block, text, flags=re.S)
    else:
        text = text.replace("\n", "\n\n" + block + "\n", 1) if path.endswith("RESULTS.md") else text + "\n" + block + "\n"
    open(path, "w").write(text)
EOF
echo "bench: written to bench/RESULTS.md and docs/benchmarks.md"
