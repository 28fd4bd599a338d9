#pragma once
// Making the product's shortcuts: the Start-menu group and the desktop link.

#include <string>
#include <string_view>
#include <vector>

#include "product/Shortcuts.h"

// The Start-menu programs folder (as the shell gives it) followed by `subPath`.
std::string GroupFolder(std::string_view subPath);

// Makes the group folder with every missing level and one shortcut per entry of the list, in
// list order (nothing when the programs folder's path is not exact in ANSI). `installFolder`
// carries one trailing backslash. Arguments that hold a blank are enclosed in double quotes.
// Returns the links whose save failed.
std::vector<std::string> MakeGroupShortcuts(std::string_view subPath, const std::string& installFolder);

// The desktop folder with one trailing backslash + "qlx.lnk".
std::string DesktopShortcutPath();
// The desktop shortcut: install folder + "qlx.exe", no arguments, description "Quillon", icon
// install folder + "qlx.ico". Nothing when the desktop folder's path is not exact in ANSI.
// False when its save failed.
bool MakeDesktopShortcut(const std::string& linkPath, const std::string& installFolder);

// The shortcuts of the group and the desktop link that are not where the shell's folders
// really are: missing, in a folder whose path this program cannot name, or among `notSaved`
// (an older link of that name does not count as made).
std::vector<std::string> MissingShortcuts(std::string_view subPath, const std::string& desktopLink,
                                          const std::vector<std::string>& notSaved);
