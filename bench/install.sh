#!/usr/bin/env bash
# Install benchmark: the floor program, the installer (/verysilent) and NSIS installers of the
# same payload (zlib; LZMA solid), alternated run by run in one call under Wine, on a private
# Xvfb and in a prefix of the benchmark's own (build/bench-wine/wine64, windows unmanaged).
# Usage: bench/install.sh [runs] [scales...]     e.g. bench/install.sh 7 1 10 1g
# Prints a Markdown section. Builds only what it runs; leaves the default payload built.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD/build
source scripts/xvfb.sh
qlx_start_xvfb
runs=${1:-7}
shift || true
scales=("${@:-1}")
[ ${#scales[@]} -gt 0 ] || scales=(1)

test -f build/cross/build.ninja || { echo "install.sh: run make build first" >&2; exit 1; }
# The benchmark's own packages (not needed by the build or the tests): the peer installer's
# compiler and GNU time.
need=()
command -v makensis >/dev/null || need+=(nsis)
[ -x /usr/bin/time ] || need+=(time)
if [ ${#need[@]} -gt 0 ]; then
  echo "install.sh: installing ${need[*]}" >&2
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi
out=$root/bench
mkdir -p "$out"

# The benchmark's prefix, made once from the build's own 64-bit prefix (same settings).
export QLX_WINE_ROOT=$root/bench-wine
export WINEPREFIX=$QLX_WINE_ROOT/wine64 WINEDEBUG=-all
unset WINEARCH || true
if [ ! -f "$WINEPREFIX/.qlx-ready" ]; then
  mkdir -p "$QLX_WINE_ROOT"
  # A copy of a ready prefix saves the minute of a first start; wine-run makes one otherwise.
  [ -f "$root/wine64/.qlx-ready" ] && [ ! -e "$WINEPREFIX" ] && cp -a "$root/wine64" "$WINEPREFIX"
  scripts/wine-run cmd /c exit >/dev/null 2>&1 || true
fi
drive=$WINEPREFIX/drive_c
user=$(id -un)
programs="$drive/users/$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"
desktop="$drive/users/$user/Desktop"

# The payload the cross tree embeds now, put back on every exit.
previous=$(sed -n 's/^QLX_PAYLOAD_MANIFEST:FILEPATH=//p' build/cross/CMakeCache.txt)
restore() {
  WINEPREFIX=$QLX_WINE_ROOT/wine64 wineserver -k >/dev/null 2>&1 || true
  cmake --preset cross -DQLX_PAYLOAD_MANIFEST="$previous" >/dev/null
  cmake --build --preset cross -j 2 --target qlx355 >/dev/null
  qlx_stop_xvfb
}
trap restore EXIT

# One NSIS script for the payload list: same files, same folders, record, key and links.
nsis_script() {  # list compressor output
  local list=$1 compressor=$2 exe=$3 i=0 folder
  cat <<EOF
Unicode true
Name "Quillon"
OutFile "$exe"
SetCompressor $compressor
RequestExecutionLevel user
SilentInstall silent
InstallDir "c:\\qlxbench"
Section
EOF
  local dosbox=$(( $(wc -l <"$list") - 3 ))
  while IFS=$'\t' read -r _item stored source _rest; do
    case "$stored" in
      *.pdf*|sumatra*) folder='$INSTDIR\manuals' ;;
      *.htm*|*.mht*) folder='$INSTDIR\tips' ;;
      *) if [ $i -lt $dosbox ]; then folder='$INSTDIR'; else folder='$INSTDIR\dosbox'; fi ;;
    esac
    echo "  SetOutPath \"$folder\""
    echo "  File \"/oname=$stored\" \"$source\""
    i=$((i + 1))
  done <"$list"
  cat <<'EOF'
  FileOpen $0 "$INSTDIR\nsis.dat" w
  FileWrite $0 "[Uninstall]$\r$\nInstall_Dir=$INSTDIR$\r$\nFile_List=(34 files)$\r$\n"
  FileClose $0
  WriteRegStr HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuillonBenchNsis" "DisplayName" "Quillon (NSIS)"
  WriteRegStr HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuillonBenchNsis" "UnInstallString" "$INSTDIR\unins.exe $INSTDIR\nsis.dat"
  WriteRegDWORD HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuillonBenchNsis" "NoModify" 1
  WriteRegDWORD HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuillonBenchNsis" "NoRepair" 1
  CreateDirectory "$SMPROGRAMS\QuillonNsis"
  CreateShortcut "$SMPROGRAMS\QuillonNsis\Quillon Start.lnk" "$INSTDIR\qlx.exe" "" "$INSTDIR\qlx.ico"
  CreateShortcut "$SMPROGRAMS\QuillonNsis\Uninstall Quillon.lnk" "$INSTDIR\unins.exe" "" "$INSTDIR\qlx.ico"
  CreateShortcut "$DESKTOP\qlx-nsis.lnk" "$INSTDIR\qlx.exe" "" "$INSTDIR\qlx.ico"
SectionEnd
EOF
}

# Builds the four programs of one payload scale into $out/x<scale>/.
prepare() {
  local scale=$1 dir=$out/x$1
  mkdir -p "$dir"
  bench/make-payload.py "$scale" "$root/bench-payload/x$scale" >&2
  cmake --preset cross -DQLX_PAYLOAD_MANIFEST="$root/bench-payload/x$scale/payload.manifest" >/dev/null
  cmake --build --preset cross -j 2 --target qlx355 bench_floor bench_cleanup bench_payload_read >/dev/null
  cp build/qlx355.exe build/cross/bench/{bench_floor,bench_cleanup,bench_payload_read}.exe "$dir/"
  cp build/cross/payload/items/payload.lst "$dir/"
  nsis_script "$dir/payload.lst" zlib "$dir/nsis-zlib.exe" >"$dir/zlib.nsi"
  nsis_script "$dir/payload.lst" "/SOLID lzma" "$dir/nsis-lzma.exe" >"$dir/lzma.nsi"
  makensis -V1 "$dir/zlib.nsi" >&2
  # A solid LZMA block of 1 GB takes longer to make and to unpack than the rest of the section.
  rm -f "$dir/nsis-lzma.exe"
  [ "$scale" = 1g ] || makensis -V1 "$dir/lzma.nsi" >&2
}

# Everything a run leaves, so that the next one starts clean.
clean() {
  rm -rf "$drive/qlxbench" "$programs/corvane" "$programs/QuillonFloor" "$programs/QuillonNsis" \
         "$desktop/qlx.lnk" "$desktop/qlx-floor.lnk" "$desktop/qlx-nsis.lnk" "$drive/users/Public/Documents/corvane"
  wine "$1/bench_cleanup.exe" >/dev/null 2>&1
}

# CPU seconds (user + system) the prefix's wineserver has used so far.
server_cpu() {
  awk -v hz="$(getconf CLK_TCK)" '{ print ($14 + $15) / hz }' "/proc/$server/stat"
}

# One timed run: wall ms, user+sys s of the program's process, its peak RSS KB, the
# wineserver's CPU s meanwhile, exit code.
measure() {  # dir name exe args...
  local dir=$1 name=$2
  shift 2
  clean "$dir"
  local t0 t1 s0 s1 rc=0
  s0=$(server_cpu)
  t0=$EPOCHREALTIME
  /usr/bin/time -f '%U %S %M' -o "$dir/time.out" wine "$@" >/dev/null 2>&1 || rc=$?
  t1=$EPOCHREALTIME
  s1=$(server_cpu)
  read -r u s m <"$dir/time.out"
  awk -v n="$name" -v t0="$t0" -v t1="$t1" -v u="$u" -v s="$s" -v m="$m" -v a="$s0" -v b="$s1" -v rc="$rc" \
    'BEGIN { printf "%s\t%.0f\t%.2f\t%d\t%.2f\t%d\n", n, (t1 - t0) * 1000, u + s, m, b - a, rc }'
}

# The Wine server of the prefix, kept running in the foreground of this script so that its
# CPU time can be read and no run pays for its start.
wineserver -k >/dev/null 2>&1 || true
wineserver -p -f &
server=$!
sleep 1

echo "### Install ($(date -u +%Y-%m-%d), $runs runs each, alternated)"
echo
for scale in "${scales[@]}"; do
  dir=$out/x$scale
  prepare "$scale"
  samples=$dir/samples.tsv
  : >"$samples"
  programs_run=(floor ours nsis-zlib nsis-lzma)
  [ "$scale" != 1g ] || programs_run=(floor ours nsis-zlib)
  for round in $(seq 0 "$runs"); do   # round 0 warms the caches and is not counted
    for p in "${programs_run[@]}"; do
      case $p in
        floor) line=$(measure "$dir" floor "$dir/bench_floor.exe" '/dir=c:\qlxbench') ;;
        ours) line=$(measure "$dir" ours "$dir/qlx355.exe" '/dir=c:\qlxbench' /verysilent) ;;
        nsis-*) line=$(measure "$dir" "$p" "$dir/$p.exe" /S '/D=c:\qlxbench') ;;
      esac
      [ "$round" -eq 0 ] || echo "$line" >>"$samples"
    done
  done
  plain=$(awk -F'\t' '{ s += $5 } END { print s }' "$dir/payload.lst")
  python3 bench/install-table.py "$samples" "$scale" "$plain" \
    "$dir/qlx355.exe" "$dir/nsis-zlib.exe" "$dir/nsis-lzma.exe"
  # The reader against a bare inflate of the same streams (rounds: about 100 MB of output); it
  # holds a whole item, which the 1g payload's 500 MB item does not leave room for.
  [ "$scale" != 1g ] || continue
  echo "Payload reading, the same items (\`bench_payload_read.exe\`, best of 5 batches):"
  echo
  echo '```'
  wine "$dir/bench_payload_read.exe" $(( (100000000 + plain - 1) / plain )) | tr -d '\r'
  echo '```'
  echo
done
