#include "engine/Shortcuts.h"

#include "support/Product.h"
#include "support/Folders.h"
#include "support/Lists.h"
#include "support/Paths.h"
#include "support/ShellLink.h"

namespace {
constexpr int kCsidlDesktop = 0;
constexpr int kCsidlPrograms = 2;
}  // namespace

std::string GroupFolder(std::string_view subPath) {
  return SpecialFolderPath(kCsidlPrograms) + std::string(subPath);
}

void MakeGroupShortcuts(std::string_view subPath, const std::string& installFolder) {
  std::string groupFolder = GroupFolder(subPath);
  std::string created = groupFolder;
  EnsureFolder(created);

  std::string list = kShortcutList;
  while (!list.empty()) {
    std::string entry = SplitFirst(list, "|");
    const std::string target = installFolder + SplitFirst(entry, ",");
    const std::string name = SplitFirst(entry, ",");
    const std::string argumentField = SplitFirst(entry, ",");
    const std::string arguments = argumentField.empty() ? "" : QuotedIfBlank(installFolder + argumentField);
    // What remains of the entry is the icon field.
    const std::string icon = entry.empty() ? "" : installFolder + entry;
    CreateShellLink(groupFolder + name + ".lnk", target, arguments, name, icon, 0, 0);
  }
}

std::string DesktopShortcutPath() {
  return AddTrailingBackslash(SpecialFolderPath(kCsidlDesktop)) + kDesktopShortcutName;
}

void MakeDesktopShortcut(const std::string& linkPath, const std::string& installFolder) {
  CreateShellLink(linkPath, installFolder + "qlx.exe", "", kProductName, installFolder + "qlx.ico", 0, 0);
}
