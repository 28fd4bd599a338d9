#!/usr/bin/env bash
# Disk full: a small tmpfs, smaller than the payload, is mounted and mapped as drive x: of the
# prefix, and the installer installs onto it. The run must finish, name every file it could not
# write ("NOT saved" and in the closing report), never call the install successful, and leave no
# half-written file. Needs root (to mount); skipped (77) otherwise.
# Usage: disk_full.sh <installer.exe>   (QLX_ROBUSTNESS=full: several sizes)
source "$(dirname "$0")/campaign.sh"
installer=$1
if [ "$(id -u)" != 0 ]; then echo "needs root to mount a small file system; skipped"; exit 77; fi
mnt=$root/qlx-disk-full.$$
drive=$prefix/dosdevices/x:
stage=$drive_c/qlx-full-tools
cleanup() {
  rm -f "$drive"
  mountpoint -q "$mnt" && umount "$mnt"
  rmdir "$mnt" 2>/dev/null
  wine_run reg delete 'HKLM\Software\Wine\Drives' /v x: /f >/dev/null 2>&1
  rm -rf "$stage" "$drive_c/qlxfullref"
  wine_run reg delete 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\{5D0C3A71-2E94-4B6F-A1C8-7F03E9B24D16}' /f >/dev/null 2>&1
}
trap cleanup EXIT
mkdir -p "$mnt" "$stage"
cp "$installer" "$stage/qlx355.exe"
if ! mount -t tmpfs -o size=64k tmpfs "$mnt" 2>/dev/null; then
  echo "this machine does not let root mount a tmpfs; skipped"
  exit 77
fi
umount "$mnt"
[ -e "$drive" ] && { echo "drive x: is in use in the prefix; skipped"; exit 77; }
ln -s "$mnt" "$drive"
# A tmpfs would count as a RAM disk, where the installer rightly refuses to go: Wine is told it
# is a hard disk.
wine_run reg add 'HKLM\Software\Wine\Drives' /v x: /d hd /f >/dev/null 2>&1
log=$(installer_log)

# What a whole install writes, to compare the files called saved with.
wine_run 'c:\qlx-full-tools\qlx355.exe' '/dir=c:\qlxfullref' /verysilent 2>/dev/null
check "a reference install on drive c: succeeds" test $? = 0

sizes=(128k)
full && sizes=(32k 128k 256k 400k 520k)
for size in "${sizes[@]}"; do
  echo "== a disk of $size"
  mount -t tmpfs -o "size=$size" tmpfs "$mnt"
  wine_run 'c:\qlx-full-tools\qlx355.exe' '/dir=x:\zt' /verysilent 2>/dev/null
  code=$?
  echo "exit code $code; $(last_line "$log" | cut -c1-120)"
  check "$size: the run ends and says files were not written (code 6 or 4, got $code)" test $code = 6 -o $code = 4
  check "$size: the install is not called successful" bash -c "! grep -q 'installed successfully' '$log'"
  check "$size: the log is whole" log_is_whole "$log"
  unsaved=$(tr -d '\r' <"$log" | sed -n 's/.*InstallProgram.File NOT saved \(.*\) (error [0-9]*)\[Mem.*/\1/p')
  saved=$(tr -d '\r' <"$log" | sed -n 's/.*InstallProgram.File saved \(.*\)\[Mem.*/\1/p')
  echo "$(echo "$saved" | sed '/^$/d' | wc -l) files saved, $(echo "$unsaved" | sed '/^$/d' | wc -l) not saved"
  check "$size: some files could not be written" test -n "$unsaved"
  missing_report=0 missing_file=0 present_unsaved=0
  while IFS= read -r f; do
    [ -n "$f" ] || continue
    grep -qF "Report: $f" "$log" || missing_report=$((missing_report + 1))
    unix=$mnt/${f#x:\\}; unix=${unix//\\//}
    [ ! -e "$unix" ] || present_unsaved=$((present_unsaved + 1))
  done <<<"$unsaved"
  while IFS= read -r f; do
    [ -n "$f" ] || continue
    unix=$mnt/${f#x:\\}; unix=${unix//\\//}
    reference=$drive_c/qlxfullref/${f#x:\\zt\\}; reference=${reference//\\//}
    cmp -s "$unix" "$reference" || missing_file=$((missing_file + 1))
  done <<<"$saved"
  check "$size: the closing report names every file not written ($missing_report missing)" test $missing_report = 0
  check "$size: no file not written is there" test $present_unsaved = 0
  check "$size: every file called saved is there and whole ($missing_file not)" test $missing_file = 0
  check "$size: no half-written file is left" test -z "$(find "$mnt" -name '*.qlx-new*')"
  umount "$mnt"
done
finish
