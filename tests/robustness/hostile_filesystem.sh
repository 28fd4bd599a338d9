#!/usr/bin/env bash
# A hostile file system: another user has prepared the machine before the victim installs.
# Wine 8 makes no junctions and follows Unix symbolic links; a link to a folder shows the
# reparse-point attribute, a link to a file shows as the file itself. Links are staged as Unix
# symbolic links (and hard links) in the prefix.
# Usage: hostile_filesystem.sh <installer.exe> <ShowAcl.exe> <unins.exe>
source "$(dirname "$0")/campaign.sh"
installer=$1 showacl=$2 uninstaller=$3

docs=$drive_c/users/Public/Documents
victim=$drive_c/qlx-victim
stage=$drive_c/qlx-hostile-tools
cleanup() {
  rm -rf "$docs/corvane" "$victim" "$stage" "$drive_c/qlxhostile" "$drive_c/qlxlinked" "$drive_c/qlxprotected" "$drive_c/qlxopen" \
    "$drive_c/qlxcase"
  mkdir -p "$docs/corvane"
}
trap cleanup EXIT
cleanup
mkdir -p "$stage"
cp "$installer" "$stage/qlx355.exe"
cp "$showacl" "$stage/ShowAcl.exe"
cp "$uninstaller" "$stage/unins.exe"

# The victim's files, each with content of its own.
make_victim() {
  rm -rf "$victim"
  mkdir -p "$victim/docs" "$victim/tips" "$victim/all"
  for f in secret.txt qlx355.log docs/note.txt tips/note.txt readonly.txt; do echo "victim's $f" >"$victim/$f"; done
  chmod 444 "$victim/readonly.txt"
  (cd "$victim" && find . -type f -exec md5sum {} + | sort -k2) >"$stage/victim.sums"
}
victim_untouched() {
  diff <(cd "$victim" && find . -type f -exec md5sum {} + | sort -k2) "$stage/victim.sums"
}
install_into() {  # install_into <folder> -> exit code
  wine_run 'c:\qlx-hostile-tools\qlx355.exe' "/dir=$1" /verysilent 2>/dev/null
}
log_has() { grep -qF -- "$1" "$(installer_log)"; }

echo "== the run log's folder is a link to the victim's folder"
make_victim
rm -rf "$docs/corvane"
ln -s "$victim" "$docs/corvane"
install_into 'c:\qlxhostile'
check "the install goes on (code 0)" test $? = 0
check "the victim's files are neither deleted nor written" victim_untouched
check "the install is whole" test -f "$drive_c/qlxhostile/qlx.exe" -a -f "$drive_c/qlxhostile/unins5100.dat"
rm "$docs/corvane"; mkdir -p "$docs/corvane"
rm -rf "$drive_c/qlxhostile"

echo "== the run log is a symbolic link, then a hard link, to the victim's file"
for kind in symbolic hard; do
  make_victim
  rm -f "$docs/corvane/qlx355.log"
  if [ $kind = symbolic ]; then ln -s "$victim/secret.txt" "$docs/corvane/qlx355.log"; else ln "$victim/secret.txt" "$docs/corvane/qlx355.log"; fi
  install_into 'c:\qlxhostile'
  check "($kind link) the install goes on (code 0)" test $? = 0
  check "($kind link) the victim's file is neither deleted nor written" victim_untouched
  # Wine shows a link to a file as the file itself: the run removes the link (never what it
  # leads to) and makes a log of its own.
  check "($kind link) a log the run wrote is a file of its own and whole" \
    bash -c "[ ! -e '$docs/corvane/qlx355.log' ] || { [ ! -L '$docs/corvane/qlx355.log' ] && [ \$(stat -c %h '$docs/corvane/qlx355.log') = 1 ]; }"
  if [ -f "$docs/corvane/qlx355.log" ] && [ ! -L "$docs/corvane/qlx355.log" ]; then
    check "($kind link) its log is whole" log_is_whole "$(installer_log)"
  fi
  rm -rf "$drive_c/qlxhostile"
done

echo "== an existing install folder whose sub-folders and files are links to the victim's"
make_victim
mkdir -p "$drive_c/qlxhostile"
ln -s "$victim/docs" "$drive_c/qlxhostile/manuals"
ln -s "$victim/tips" "$drive_c/qlxhostile/tips"
ln -s "$victim/secret.txt" "$drive_c/qlxhostile/qlx.exe.qlx-new"
ln -s "$victim/secret.txt" "$drive_c/qlxhostile/quon.exe.qlx-new.4242"
ln "$victim/all/../secret.txt" "$drive_c/qlxhostile/unins5100.dat" 2>/dev/null || true
# A leftover that is a second name of the victim's read-only file: Windows would not remove it
# before its attribute is cleared, and the attribute is the victim's.
ln "$victim/readonly.txt" "$drive_c/qlxhostile/readme.txt.qlx-new"
install_into 'c:\qlxhostile'
code=$?
echo "exit code $code; $(last_line "$(installer_log)")"
check "the run says files were not written (code 6)" test $code = 6
check "the victim's files are neither deleted nor written" victim_untouched
check "the victim's read-only file is still read-only" test "$(stat -c %a "$victim/readonly.txt")" = 444
check "a file through a linked folder is logged 'NOT saved ... (error 681)'" \
  log_has 'InstallProgram.File NOT saved c:\qlxhostile\manuals\'
check "the record (a second name of the victim's file) is replaced, not written through" \
  bash -c "[ \$(stat -c %h '$drive_c/qlxhostile/unins5100.dat') = 1 ] && grep -q Uninstall '$drive_c/qlxhostile/unins5100.dat'"
check "the closing report names a refused file" grep -q 'Report: .*c:\\qlxhostile\\manuals\\' "$(installer_log)"
check "the files of the folder itself are written" test -f "$drive_c/qlxhostile/qlx.exe" -a -f "$drive_c/qlxhostile/quon.exe"
check "the leftover links were replaced, not written through" \
  test ! -e "$drive_c/qlxhostile/qlx.exe.qlx-new" -a ! -e "$drive_c/qlxhostile/quon.exe.qlx-new.4242" \
    -a ! -e "$drive_c/qlxhostile/readme.txt.qlx-new"
check "the log is whole" log_is_whole "$(installer_log)"
rm -rf "$drive_c/qlxhostile"

echo "== a record whose folder has a sibling that differs only in case"
# Both made from the Unix side: Windows programs see one name in any case. The record lies in
# Quil and names its folder in lower case, as the installer writes it; opened by that text,
# Wine finds the sibling quil first.
mkdir -p "$drive_c/qlxcase/Quil" "$drive_c/qlxcase/quil"
for f in qlx.exe readme.txt notes.ini; do echo "product's $f" >"$drive_c/qlxcase/Quil/$f"; echo "user's $f" >"$drive_c/qlxcase/quil/$f"; done
printf '[Uninstall]\r\nProgram_Name=Quillon\r\nInstall_Dir=c:\\qlxcase\\quil\\\r\nFile_List=qlx.exe,readme.txt\r\nExtra_List=*.ini\r\n' \
  >"$drive_c/qlxcase/Quil/unins5100.dat"
wine_run 'c:\qlx-hostile-tools\unins.exe' 'c:\qlxcase\Quil\unins5100.dat' /VERYSILENT 2>/dev/null
code=$?
echo "exit code $code; $(last_line "$(uninstaller_log)")"
check "the record is refused (code 2): its Install_Dir opens another folder" test $code = 2
check "nothing of the sibling is removed" test "$(cat "$drive_c/qlxcase/quil/"* | tr '\n' ' ')" = \
  "user's notes.ini user's qlx.exe user's readme.txt "
check "the sibling folder is still there, and the record's" test -d "$drive_c/qlxcase/quil" -a -f "$drive_c/qlxcase/Quil/qlx.exe"
rm -rf "$drive_c/qlxcase"

echo "== the install folder itself is a link to the victim's folder"
make_victim
ln -s "$victim/all" "$drive_c/qlxlinked"
install_into 'c:\qlxlinked'
code=$?
echo "exit code $code; $(last_line "$(installer_log)")"
check "the run does not call it installed" test $code != 0 -a $code != 6
check "nothing is written in the victim's folder" victim_untouched
check "no folder is made there" test -z "$(ls -A "$victim/all")"
rm -f "$drive_c/qlxlinked"

echo "== a new folder directly under the drive root gets a protected access list"
install_into 'c:\qlxprotected'
check "installed (code 0)" test $? = 0
acl=$(wine_run 'c:\qlx-hostile-tools\ShowAcl.exe' 'c:\qlxprotected' 2>/dev/null | tr -d '\r')
echo "access list read back: $acl"
if grep -q '^D:P' <<<"$acl"; then
  check "Administrators have full control" grep -q '(A;OICI;FA;;;BA)' <<<"$acl"
  check "SYSTEM has full control" grep -q '(A;OICI;FA;;;SY)' <<<"$acl"
  check "the installing user has full control" grep -Eq '\(A;OICI;FA;;;S-1-5-21-[0-9-]+\)' <<<"$acl"
  check "Users may read and run, no more" grep -Eq '\(A;OICI;(0x1200a9|FRFX|GRGX);;;BU\)' <<<"$acl"
  check "nobody else is named" test "$(grep -o '(A;' <<<"$acl" | wc -l)" = 4
else
  # Wine 8 keeps no access list here: it turns the one it is given into Unix permissions and
  # reads those back. What can be seen is that one was given: nothing for other Unix users,
  # where a folder made without one is readable by all (755).
  mode=$(stat -c %a "$drive_c/qlxprotected")
  echo "Wine keeps no access list; the folder's Unix permissions: $mode"
  check "the folder was made with an access list of its own (Unix permissions end in 0)" test "${mode: -1}" = 0
fi
run_uninstall /verysilent 2>/dev/null

echo "== a parent folder that every user may change (Unix mode 0777, read by Wine as Everyone: full control)"
mkdir -p "$drive_c/qlxopen" && chmod 0777 "$drive_c/qlxopen"
install_into 'c:\qlxopen\zt'
check "installed (code 0)" test $? = 0
check "the log says the folder was made protected" log_has 'InstallProgram.Folder made protected: c:\qlxopen\zt'
mode=$(stat -c %a "$drive_c/qlxopen/zt")
check "other users may not change the new folder (its Unix permissions end in 0, got $mode)" test "${mode: -1}" = 0
run_uninstall /verysilent 2>/dev/null

echo "== an existing install folder of another user that every user may change"
mkdir -p "$drive_c/qlxopen/theirs" && chmod 0777 "$drive_c/qlxopen/theirs" && chown nobody "$drive_c/qlxopen/theirs"
install_into 'c:\qlxopen\theirs'
check "installed (code 0)" test $? = 0
check "the folder is left as it is" test "$(stat -c '%a %U' "$drive_c/qlxopen/theirs")" = "777 nobody"
check "the log and the closing report say other users can change the programs" \
  grep -q 'Report: .*Other users of this computer can change the programs in c:\\qlxopen\\theirs' "$(installer_log)"
run_uninstall /verysilent 2>/dev/null
rm -rf "$drive_c/qlxopen"
finish
