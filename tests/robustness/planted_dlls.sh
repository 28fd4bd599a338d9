#!/usr/bin/env bash
# Planted DLLs: stand-ins for DLLs that Windows programs commonly load, each leaving a marker
# when loaded, lie beside the installer, in the install folder (beside the uninstaller) and in
# the temporary folder (beside the uninstaller's finishing copy), and Wine is told to prefer
# them to its own. A full unattended install and uninstall may load none of them beyond what a
# minimal program with the same imports gets from Wine while its imports are resolved.
# Usage: planted_dlls.sh <folder of planted DLLs> <baseline.exe> <installer.exe>
source "$(dirname "$0")/campaign.sh"
dlls=$1 baseline=$2 installer=$3

stage=$drive_c/qlx-planted
target=$drive_c/qlxplanted
markers=$drive_c/qlx-markers
temp=$(ls -d "$drive_c"/users/*/Temp | head -n 1)
names=$(cd "$dlls" && ls *.dll | sed 's/\.dll$//' | sort)
planted_in() { cp "$dlls"/*.dll "$1"/; }
unplant() { for n in $names; do rm -f "$temp/$n.dll" "$stage/$n.dll"; done; rm -rf "$stage" "$markers"; }
trap unplant EXIT

rm -rf "$stage" "$target" "$markers"
mkdir -p "$stage" "$target" "$markers"
planted_in "$stage"; planted_in "$target"; planted_in "$temp"
cp "$baseline" "$stage/baseline.exe"
cp "$installer" "$stage/qlx355.exe"
export QLX_MARKERS='c:\qlx-markers'
export WINEDLLOVERRIDES="$(echo $names | tr ' ' ',')=n,b"
echo "$(echo $names | wc -w) planted DLLs: $(echo $names)"

# DLL names with a marker left by one of the given programs (a shell pattern).
loaded_by() { (cd "$markers" && ls) 2>/dev/null | sed -n "s/\.dll@\($1\)$//p" | tr 'A-Z' 'a-z' | sort -u; }
beyond_baseline() { comm -23 <(echo "$1" | sed '/^$/d') <(echo "$base" | sed '/^$/d'); }

wine_run 'c:\qlx-planted\baseline.exe' 2>/dev/null
base=$(loaded_by 'baseline.exe')
echo "baseline (Wine resolving the imports): $(echo $base)"

modes=("/verysilent")
full && modes+=("/silent /suppressmsgboxes")
for mode in "${modes[@]}"; do
  echo "== install $mode, then uninstall"
  rm -f "$markers"/*
  # shellcheck disable=SC2086
  wine_run 'c:\qlx-planted\qlx355.exe' '/dir=c:\qlxplanted' $mode 2>/dev/null
  check "install $mode ends with code 0" test $? = 0
  check "install $mode says so" grep -q 'Exit code 0: installed' <(last_line "$(installer_log)")
  ours=$(loaded_by 'qlx355\.exe')
  echo "installer loaded: $(echo $ours)"
  check "the installer loads no planted DLL beyond the baseline" test -z "$(beyond_baseline "$ours")"

  # shellcheck disable=SC2086
  run_uninstall $mode 2>/dev/null
  check "uninstall ends with code 0" test $? = 0
  ours=$(loaded_by 'unins\.exe\|qlx-unins-[0-9]*\.exe')
  echo "uninstaller loaded: $(echo $ours)"
  check "the uninstaller loads no planted DLL beyond the baseline" test -z "$(beyond_baseline "$ours")"
  check "the product's files are gone" test ! -e "$target/qlx.exe"
  others=$(cd "$markers" && ls | grep -v '@\(qlx355\|unins\|qlx-unins-[0-9]*\)\.exe$')
  [ -z "$others" ] || echo "loaded by other programs (not ours): $(echo $others)"
done
rm -rf "$target"
finish
