#include "engine/Shortcuts.h"

#include "product/Product.h"
#include "support/Files.h"
#include "support/Folders.h"
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
  // A path with characters outside the code page would name another folder, or none.
  if (!SpecialFolderIsExact(kCsidlPrograms)) return;
  std::string groupFolder = GroupFolder(subPath);
  std::string created = groupFolder;
  EnsureFolder(created);

  for (const ShortcutEntry& entry : GroupShortcuts()) {
    const std::string arguments = entry.arguments.empty() ? "" : QuotedIfBlank(installFolder + entry.arguments);
    const std::string icon = entry.icon.empty() ? "" : installFolder + entry.icon;
    CreateShellLink(groupFolder + entry.name + ".lnk", installFolder + entry.target, arguments, entry.name, icon, 0, 0);
  }
}

std::string DesktopShortcutPath() {
  return AddTrailingBackslash(SpecialFolderPath(kCsidlDesktop)) + kDesktopShortcutName;
}

void MakeDesktopShortcut(const std::string& linkPath, const std::string& installFolder) {
  if (!SpecialFolderIsExact(kCsidlDesktop)) return;
  CreateShellLink(linkPath, installFolder + kDesktopTarget, "", kProductName, installFolder + kDesktopIcon, 0, 0);
}

std::vector<std::string> MissingShortcuts(std::string_view subPath, const std::string& desktopLink) {
  std::vector<std::string> missing;
  const bool groupExact = SpecialFolderIsExact(kCsidlPrograms);
  const std::string groupFolder = GroupFolder(subPath);
  for (const ShortcutEntry& entry : GroupShortcuts()) {
    const std::string link = groupFolder + entry.name + ".lnk";
    if (!groupExact || !FileIsPresent(link)) missing.push_back(link);
  }
  if (!SpecialFolderIsExact(kCsidlDesktop) || !FileIsPresent(desktopLink)) missing.push_back(desktopLink);
  return missing;
}
