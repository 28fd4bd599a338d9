#!/usr/bin/env bash
# Hostile folder text: "/dir=" values that name no folder for certain are refused (exit code 2,
# the reason as a "Report: " line, nothing made on disk); one with blanks and accented letters
# is installed into the one folder that the record, the uninstall entry and the shortcuts all
# name. Characters outside the ANSI code page are refused, never read as "?" or look-alikes; a
# desktop folder of such a name leaves the desktop link unmade, which the run reports.
# Usage: hostile_text.sh <installer.exe>
source "$(dirname "$0")/campaign.sh"
installer=$1
stage=$drive_c/qlx-text-tools
shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer'
cleanup() {
  rm -rf "$stage" "$drive_c"/qlxtext*
  if [ -n "${greek_desktop:-}" ]; then
    wine_run reg add "$shell_folders\User Shell Folders" /v Desktop /t REG_EXPAND_SZ /d '%USERPROFILE%\Desktop' /f
    wine_run reg add "$shell_folders\Shell Folders" /v Desktop /d "$desktop_before" /f
    rm -rf "$greek_desktop" "$(dirname "$temp_log")"
  fi >/dev/null 2>&1
}
trap cleanup EXIT
cleanup
mkdir -p "$stage"
cp "$installer" "$stage/qlx355.exe"
install_with() { wine_run 'c:\qlx-text-tools\qlx355.exe' "/dir=$1" /verysilent 2>/dev/null; }
log_has() { grep -qF -- "$1" "$(installer_log)"; }
made_nothing() { [ -z "$(cd "$drive_c" && ls -d qlxtext* 2>/dev/null)" ]; }

long=$(printf 'c:\\qlxtext\\%0290d' 0)
refused=(
  $'c:\\qlxtext\\z\x01t|c:\\qlxtext\\z\\x01t\\|has a part'
  $'c:\\qlxtext\\tab\tzt|c:\\qlxtext\\tab\\x09zt\\|has a part'
  'c:/qlxtext/zt|c:/qlxtext/zt\|is not a full path'
  'c:qlxtext|c:qlxtext\|is not a full path'
  'c:\qlxtext.|c:\qlxtext.\|has a part'
  'c:\con\zt|c:\con\zt\|has a part'
  'c:\qlxtext\nul.txt|c:\qlxtext\nul.txt\|has a part'
  '\\qlxserver\share\zt|\\qlxserver\share\zt\|Install Directory is not on a valid device'
  '\\?\c:\qlxtext\zt|\\?\c:\qlxtext\zt\|Install Directory is not on a valid device'
  "$long|${long}\\|is longer than 213 characters"
  'c:\qlxtext\Ωmega|c:\qlxtext\?mega\|has characters that this program cannot use'
)
full && refused+=(
  'c:\qlxtext\..\qlxtext2|c:\qlxtext\..\qlxtext2\|has a part'
  'c:\qlxtext\a\\b|c:\qlxtext\a\\b\|has a part'
  'c:\qlxtext\zt |c:\qlxtext\zt \|has a part'
  'c:\qlxtext\COM1|c:\qlxtext\com1\|has a part'
  'c:\qlxtext\łódź|c:\qlxtext\lodz\|has characters that this program cannot use'
  'c:\qlxtext\日本|c:\qlxtext\??\|has characters that this program cannot use'
  'c:\qlxtext\a*b|c:\qlxtext\a*b\|has a part'
)
for entry in "${refused[@]}"; do
  IFS='|' read -r text logged reason <<<"$entry"
  install_with "$text"
  code=$?
  shown=$(printf '%q' "$text" | cut -c1-60)
  check "$shown: refused (code 2, got $code)" test $code = 2
  # The log writes characters below 0x20 as \xNN; what the program read of other scripts
  # is whatever the code page made of it, so only the start is compared there.
  case $reason in
    *cannot\ use) check "$shown: the reason is reported" log_has "$reason" ;;
    *) check "$shown: logged as the refused folder it read" log_has "Exit code 2: refused folder <$logged>"
       check "$shown: the reason is reported" log_has "$reason" ;;
  esac
  check "$shown: nothing was made" made_nothing
  check "$shown: the log is whole" log_is_whole "$(installer_log)"
done

echo "== a folder with blanks and accented letters of the code page"
folder='c:\qlxtext\Quillon été 3'
install_with "$folder"
check "installed (code 0)" test $? = 0
lower='c:\qlxtext\quillon été 3\'
unix_folder="$drive_c/qlxtext/quillon été 3"
[ -d "$unix_folder" ] || unix_folder="$drive_c/qlxtext/Quillon été 3"
check "the files are in that folder" test -f "$unix_folder/qlx.exe"
check "no other folder was made" test "$(ls "$drive_c/qlxtext" | wc -l)" = 1
echo "UnInstallString: $(uninstall_string)"
check "the uninstall command names the folder" grep -qiF "\"${lower}unins.exe\" \"${lower}unins5100.dat\"" <<<"$(uninstall_string)"
check "the record names the folder" grep -qiF "${lower%\\}" <(iconv -f cp1252 -t utf-8 "$unix_folder/unins5100.dat")
link=$(ls "$drive_c"/users/*/Desktop/qlx.lnk | head -n 1)
check "the desktop link leads into the folder" grep -qiaF "$(printf '%s' "${lower}qlx.exe" | iconv -f utf-8 -t cp1252)" "$link"
run_uninstall /verysilent 2>/dev/null
check "the uninstaller removes it (code 0)" test $? = 0
check "the program is gone" test ! -e "$unix_folder/qlx.exe"

echo "== double-byte folder names in code page 932"
# Under the Japanese locale Wine gives programs code page 932, where the second byte of a
# character may be a backslash ("ソ" is 83 5C), a "|" ("ポ" is 83 7C) or a capital letter ("ア"
# is 83 41). Each folder must get the files, the record, the uninstall command and the links,
# and nothing may land beside it.
if locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  for name in 'アプリ' 'ゲームソ' '代表' 'ポ ソ'; do
    rm -rf "$drive_c/qlxtext"
    mkdir -p "$drive_c/qlxtext"
    dir="c:\\qlxtext\\$name"
    LC_ALL=ja_JP.UTF-8 install_with "$dir"
    check "$name: installed (code 0)" test $? = 0
    check "$name: the files are in that folder and nothing beside it" \
      test -f "$drive_c/qlxtext/$name/qlx.exe" -a "$(ls "$drive_c/qlxtext")" = "$name"
    check "$name: the record names the folder" \
      grep -qF "Install_Dir=$dir\\" <(iconv -f cp932 -t utf-8 "$drive_c/qlxtext/$name/unins5100.dat")
    command=$(LC_ALL=ja_JP.UTF-8 console_code_page=CP932 uninstall_string)
    quote=; [[ $name == *' '* ]] && quote='"'
    check "$name: the uninstall command names the folder" \
      grep -qF "$quote$dir\\unins.exe$quote $quote$dir\\unins5100.dat$quote" <<<"$command"
    link=$(ls "$drive_c"/users/*/Desktop/qlx.lnk | head -n 1)
    check "$name: the desktop link leads into the folder" \
      grep -qaF "$(printf '%s' "$dir\\qlx.exe" | iconv -f utf-8 -t cp932)" "$link"
    LC_ALL=ja_JP.UTF-8 console_code_page=CP932 run_uninstall /VERYSILENT 2>/dev/null
    check "$name: the uninstaller removes it (code 0)" test $? = 0
    check "$name: the folder is gone" test ! -e "$drive_c/qlxtext/$name"
  done
else
  check "the ja_JP.UTF-8 locale is there (scripts/bootstrap.sh makes it)" false
fi

# In the quick run this case is left out: right after an uninstall its run has been seen to end
# with exit code 6 yet leave the run log as the previous install wrote it (not understood yet),
# which fails the log checks.
full || finish
echo "== the user's desktop folder has a name outside the ANSI code page"
desktop_before=$(wine_run reg query "$shell_folders\Shell Folders" /v Desktop 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p')
greek_desktop=$(dirname "$(ls -d "$drive_c"/users/*/Desktop | head -n 1)")/Δesk
mkdir -p "$greek_desktop"
wine_run reg add "$shell_folders\User Shell Folders" /v Desktop /t REG_EXPAND_SZ /d '%USERPROFILE%\Δesk' /f >/dev/null 2>&1
# Wine then names no all-users documents folder either: the log goes to the user's temporary
# folder, never beside wherever the installer was started.
temp_log=$(ls -d "$drive_c"/users/*/Temp | head -n 1)/corvane/qlx355.log
rm -f "$temp_log"
install_with 'c:\qlxtext\profile'
code=$?
echo "exit code $code; $(last_line "$temp_log" | cut -c1-100)"
check "the run says a file was not written (code 6)" test $code = 6
check "no log is written in the folder the installer was started from" test ! -e corvane
check "the desktop link is logged as not saved" grep -qa 'InstallProgram.Shortcut NOT saved .*qlx.lnk' "$temp_log"
check "the closing report names it" grep -qa 'Report: .*qlx.lnk' "$temp_log"
check "the install is not called successful" bash -c "! grep -q 'installed successfully' '$temp_log'"
group_links=$(ls "$drive_c"/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/corvane/Quillon/*.lnk 2>/dev/null)
check "the group's links are made, or each is logged as not saved (Wine may name no Start menu either)" \
  bash -c "test -n '$group_links' || test \$(grep -ac 'InstallProgram.Shortcut NOT saved' '$temp_log') = 3"
check "no folder of a look-alike name is made" test -z "$(cd "$(dirname "$greek_desktop")" && ls -d ./*esk | grep -v 'Δesk')"
run_uninstall /verysilent 2>/dev/null
finish
