#pragma once
// The product's shortcuts: a Start-menu group made from a constant list, and one on the
// desktop. The installer makes them; the uninstaller removes exactly these.

#include <string>
#include <vector>

// Entries separated by "|", fields by ",": target, shortcut name (also the description),
// arguments, icon file. Non-empty fields 1, 3 and 4 are joined to the install folder.
inline constexpr char kShortcutList[] =
    "qlx.exe,Quillon Start,',qlx.ico|unins.exe,Uninstall Quillon,unins5100.dat,qlx.ico|";
// Below the Start menu's programs folder.
inline constexpr char kGroupSubPath[] = "\\corvane\\Quillon\\";
inline constexpr char kDesktopShortcutName[] = "qlx.lnk";
// The desktop shortcut starts this program of the install folder, with its icon.
inline constexpr char kDesktopTarget[] = "qlx.exe";
inline constexpr char kDesktopIcon[] = "qlx.ico";

struct ShortcutEntry {
  std::string target;     // file name in the install folder
  std::string name;       // the link is <name>.lnk; also its description
  std::string arguments;  // "" or a file name in the install folder
  std::string icon;       // "" or a file name in the install folder
};

// The entries of kShortcutList in list order.
std::vector<ShortcutEntry> GroupShortcuts();
