#pragma once
// The product's shortcuts: a Start-menu group made from a constant list, and one on the
// desktop.

#include <string>
#include <string_view>
#include <vector>

// Entries separated by "|", fields by ",": target, shortcut name (also the description),
// arguments, icon file. Non-empty fields 1, 3 and 4 are joined to the install folder.
inline constexpr char kShortcutList[] =
    "qlx.exe,Quillon Start,',qlx.ico|unins.exe,Uninstall Quillon,unins5100.dat,qlx.ico|";
inline constexpr char kGroupSubPath[] = "\\corvane\\Quillon\\";
inline constexpr char kDesktopShortcutName[] = "qlx.lnk";

// The Start-menu programs folder (as the shell gives it) followed by `subPath`.
std::string GroupFolder(std::string_view subPath);

// Makes the group folder with every missing level and one shortcut per entry of the list, in
// list order (nothing when the programs folder's path is not exact in ANSI). `installFolder` carries one trailing backslash. Arguments that hold a blank are
// enclosed in double quotes.
void MakeGroupShortcuts(std::string_view subPath, const std::string& installFolder);

// The desktop folder with one trailing backslash + "qlx.lnk".
std::string DesktopShortcutPath();
// The desktop shortcut: install folder + "qlx.exe", no arguments, description "Quillon", icon
// install folder + "qlx.ico". Nothing when the desktop folder's path is not exact in ANSI.
void MakeDesktopShortcut(const std::string& linkPath, const std::string& installFolder);

// The shortcuts of the group and the desktop link that are not where the shell's folders
// really are: missing, or in a folder whose path this program cannot name.
std::vector<std::string> MissingShortcuts(std::string_view subPath, const std::string& desktopLink);
