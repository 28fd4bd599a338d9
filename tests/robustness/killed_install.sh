#!/usr/bin/env bash
# Killed mid-install: the installer's process ends on the spot (terminated, as sudden as a power
# cut for the program: none of its own clean-up runs) at a chosen point of its reading or file
# phase in each round. The build it runs terminates itself right after the log line the round
# names (QLX_STOP_AT), so the kill lands there however loaded the machine is. Its log must be
# whole up to its last line, and the next install, by the installer as shipped, must leave every
# file whole and equal to a reference install's, and no temporary file behind.
# Usage: killed_install.sh <stopping installer.exe> <installer.exe>   (QLX_ROBUSTNESS=full: more rounds)
source "$(dirname "$0")/campaign.sh"
stopping=$1
installer=$2
stage=$drive_c/qlx-killed-tools
target=$drive_c/qlxkilled
reference=$drive_c/qlxkilled-ref
cleanup() { rm -rf "$stage" "$target" "$reference"; }
trap cleanup EXIT
cleanup
mkdir -p "$stage/stopping"
cp "$installer" "$stage/qlx355.exe"
cp "$stopping" "$stage/stopping/qlx355.exe"
log=$(installer_log)
lines_with() {
  local n
  n=$(grep -acF -- "$1" "$log" 2>/dev/null)
  echo "${n:-0}"
}
leftovers() { (cd "$target" 2>/dev/null && find . -name '*.qlx-new*'); }
# Every file but the record (which names its folder): name, size, date and bytes.
files_of() {
  (cd "$1" && find . -type f ! -name unins5100.dat -printf '%P %s %TY-%Tm-%Td %TT\n' | sort &&
    find . -type f ! -name unins5100.dat -print0 | sort -z | xargs -0 md5sum)
}
file_count() { find "$1" -type f ! -name unins5100.dat | wc -l; }

# The reference: one whole install into a folder of its own (34 files on 64-bit Windows).
wine_run 'c:\qlx-killed-tools\qlx355.exe' '/dir=c:\qlxkilled-ref' /verysilent 2>/dev/null
check "the reference install succeeds (code 0)" test $? = 0
check "the reference install wrote 34 files" test "$(file_count "$reference")" = 34

# Rounds: where the run stops (the count-th log line holding the text) and what the folder
# holds before it: nothing ("fresh"), or the installation the round before left ("over"). A run
# over a whole installation writes 31 files (its DOSBox is found), so it stops within them.
file='InstallProgram.file: '
reading=' Filename: '
rounds=(
  "12|$file|fresh"  # eleven files in place, the rest staged
  "23|$file|over"   # over an installation: its files are replaced one by one
  "33|$file|fresh"  # dosbox.exe in place, its two libraries staged
  "20|$reading|over"   # reading: twenty files staged, none in place yet
  "4|$file|fresh"
)
if full; then
  for after in 1 7 15 26 31; do rounds+=("$after|$file|fresh" "$after|$file|over"); done
  rounds+=("32|$file|fresh" "34|$file|fresh" "1|$reading|fresh" "34|$reading|fresh" "31|$reading|over")
fi

round=0
for plan in "${rounds[@]}"; do
  round=$((round + 1))
  IFS='|' read -r after text start <<<"$plan"
  [ "$start" = fresh ] && rm -rf "$target"
  rm -f "$log"
  QLX_STOP_AT="$after:$text" wine_run 'c:\qlx-killed-tools\stopping\qlx355.exe' '/dir=c:\qlxkilled' /verysilent \
    2>/dev/null
  code=$?
  echo "round $round ($start): killed after $(lines_with "$text") lines with '$text'; exit code $code;" \
    "last line: $(last_line "$log" | cut -c1-90)"
  check "round $round: the kill landed after line $after with '$text'" test "$(lines_with "$text")" = "$after" -a $code = 137
  check "round $round: the log is whole up to its last line" log_is_whole "$log"
  left=$(leftovers)
  [ -z "$left" ] || echo "left by the killed run: $(echo $left)"
  wine_run 'c:\qlx-killed-tools\qlx355.exe' '/dir=c:\qlxkilled' /verysilent 2>/dev/null
  check "round $round: the next install succeeds (code 0)" test $? = 0
  check "round $round: it says so" grep -q 'Exit code 0: installed' <(last_line "$log")
  check "round $round: no temporary file is left" test -z "$(leftovers)"
  check "round $round: the record is in place" test -s "$target/unins5100.dat"
  check "round $round: 34 files, each equal to the reference install's" \
    test "$(file_count "$target")" = 34 -a "$(files_of "$target")" = "$(files_of "$reference")"
done
run_uninstall /verysilent 2>/dev/null
finish
