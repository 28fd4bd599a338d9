#!/usr/bin/env bash
# Killed mid-install: the installer's process is killed (SIGKILL to the Unix process that runs
# it, as sudden as a power cut for the program) at a different moment of its file phase in each
# round. Its log must be whole up to its last line,
# and the next install over the same folder must succeed and leave no temporary file behind.
# Usage: killed_install.sh <installer.exe>   (QLX_ROBUSTNESS=full: more rounds)
source "$(dirname "$0")/campaign.sh"
installer=$1
stage=$drive_c/qlx-killed-tools
target=$drive_c/qlxkilled
cleanup() { rm -rf "$stage" "$target"; }
trap cleanup EXIT
cleanup
mkdir -p "$stage"
cp "$installer" "$stage/qlx355.exe"
log=$(installer_log)
file_lines() { grep -ac 'InstallProgram.file: ' "$log" 2>/dev/null; }
leftovers() { (cd "$target" 2>/dev/null && find . -name '*.qlx-new*'); }

rounds=3
full && rounds=12
# A whole run of the sample logs 31 "file:" lines; the kills aim below the last.
file_lines_in_run=31
for round in $(seq "$rounds"); do
  # Spread over the file phase: after 1 to 30 file lines.
  after=$(( (round * 11) % (file_lines_in_run - 1) + 1 ))
  rm -f "$log"
  wine_run 'c:\qlx-killed-tools\qlx355.exe' '/dir=c:\qlxkilled' /verysilent 2>/dev/null &
  runner=$!
  for _ in $(seq 600); do
    [ "$(file_lines)" -ge "$after" ] 2>/dev/null && break
    kill -0 $runner 2>/dev/null || break
    sleep 0.05
  done
  # The Windows program runs in the process that scripts/wine-run became (it ends with
  # "exec wine"), the only child of the background job.
  kill -9 $(pgrep -P $runner) 2>/dev/null
  wait $runner
  code=$?
  echo "round $round: killed after $(file_lines) file lines (aimed at $after); exit code $code; last line: $(last_line "$log" | cut -c1-90)"
  check "round $round: the log is whole up to its last line" log_is_whole "$log"
  left=$(leftovers)
  [ -z "$left" ] || echo "left by the killed run: $(echo $left)"
  wine_run 'c:\qlx-killed-tools\qlx355.exe' '/dir=c:\qlxkilled' /verysilent 2>/dev/null
  check "round $round: the next install succeeds (code 0)" test $? = 0
  check "round $round: it says so" grep -q 'Exit code 0: installed' <(last_line "$log")
  check "round $round: no temporary file is left" test -z "$(leftovers)"
  check "round $round: the program is in place" test -s "$target/qlx.exe" -a -s "$target/unins5100.dat"
done
run_uninstall /verysilent 2>/dev/null
finish
