#!/usr/bin/env bash
# Payload benchmark: reading all 34 items with the installer's reader against plain zlib
# inflate of the same streams (same run, under Wine), and the installer's size against the
# plain files it carries. Needs `make build` first. Prints a Markdown section for RESULTS.md.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-200}
list=build/cross/payload/items/payload.lst
exe=build/qlx355.exe

echo "### Payload ($(date -u +%Y-%m-%d), $(nproc) cores, Wine $(wine --version 2>/dev/null | sed 's/wine-//'))"
echo
echo '```'
scripts/wine-run build/cross/bench/bench_payload_read.exe "$rounds" | tr -d '\r'
echo '```'
echo
plain=$(awk -F'\t' '{s += $5} END {print s}' "$list")
packed=$(awk -F'\t' '{s += $6} END {print s}' "$list")
size=$(stat -c %s "$exe")
awk -v p="$plain" -v k="$packed" -v s="$size" 'BEGIN {
  printf "| plain files (34) | packed items | installer %s |\n|---|---|---|\n", "qlx355.exe"
  printf "| %d bytes | %d bytes (%.1f%% of plain) | %d bytes (%.1f%% of plain; %d bytes without the items) |\n",
         p, k, 100 * k / p, s, 100 * s / p, s - k }'
