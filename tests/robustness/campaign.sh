# Sourced by the campaign scripts: the prefix, the installer and its run log as the scripts see
# them, a tally of checks, and the quick/full switch (QLX_ROBUSTNESS=full).
set -uo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
root=${QLX_WINE_ROOT:-$repo/build}
prefix=$root/wine64
drive_c=$prefix/drive_c
wine_run() { "$repo/scripts/wine-run" "$@"; }
full() { [ "${QLX_ROBUSTNESS:-}" = full ]; }

# The run logs, as Unix paths.
installer_log() { echo "$drive_c/users/Public/Documents/corvane/qlx355.log"; }
uninstaller_log() { echo "$drive_c/users/Public/Documents/corvane/unins.log"; }
last_line() { tail -n 1 "$1" 2>/dev/null | tr -d '\r'; }

failures=0
checks=0
# check <description> <command...>: runs the command; a failure is counted and said.
check() {
  local what=$1; shift
  checks=$((checks + 1))
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
# Ends the script: 0 when every check held.
finish() {
  echo "$checks checks, $failures failed"
  [ "$failures" = 0 ]
  exit $?
}

# Every line of a run log ends with CR LF and has the shape "yymmdd hh:mm:ss.z text[Mem: n]"
# (milliseconds without leading zeros).
log_is_whole() {
  local file=$1
  [ -s "$file" ] || return 1
  [ "$(tail -c 2 "$file" | od -An -c | tr -d ' ')" = '\r\n' ] || { echo "no CR LF at the end of $file"; return 1; }
  local torn
  torn=$(tr -d '\r' <"$file" | LC_ALL=C grep -Evn '^[0-9]{6} [0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{1,3} .*\[Mem: [0-9,.]+\]$')
  [ -z "$torn" ] || { echo "lines of another form in $file:"; echo "$torn" | head -n 5; return 1; }
}

# The product's uninstall entry's UnInstallString, "" when there is none (reg writes in the
# console's code page: CP437, or the one given).
uninstall_string_in() {
  wine_run reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\{5D0C3A71-2E94-4B6F-A1C8-7F03E9B24D16}' \
    /v UnInstallString 2>/dev/null | iconv -f "$1" -t UTF-8 | tr -d '\r' | sed -n 's/.*REG_SZ *//p'
}
uninstall_string() { uninstall_string_in "${console_code_page:-CP437}"; }

# Runs the command again while it succeeds, every half second for at most a minute: for states
# of other programs that announce their end in no way (a process holding a file, a finishing
# copy's file). Fails when the minute ran out.
wait_while() {
  for _ in $(seq 120); do
    "$@" >/dev/null || return 0
    sleep 0.5
  done
  return 1
}

# Whether a process of this machine holds open a file of the prefix named `name`.
held_open() {
  local fd
  for fd in /proc/[0-9]*/fd/*; do
    case $(readlink "$fd" 2>/dev/null) in "$drive_c"/*/"$1") return 0 ;; esac
  done
  return 1
}

# Runs the registered uninstall command (read in console_code_page, CP437 unless set) with the given switches and waits for the finishing
# copy in the temporary folder to go; gives the uninstaller's exit code.
run_uninstall() {
  local command words rc
  command=$(uninstall_string)
  [ -n "$command" ] || return 250
  # Quoted parts (paths with blanks) or blank-separated words.
  mapfile -t words < <(grep -o '"[^"]*"\|[^ "]\+' <<<"$command" | tr -d '"')
  # The desktop shell reads a new link's icon without delete sharing for a moment; a person
  # uninstalls later than that.
  wait_while held_open qlx.ico
  wine_run "${words[@]}" "$@"
  rc=$?
  wait_while compgen -G "$drive_c/users/*/Temp/qlx-unins-*"
  return $rc
}
