#include "engine/Shortcuts.h"

#include <algorithm>

#include "product/Product.h"
#include "support/base/Paths.h"
#include "support/fs/Files.h"
#include "support/fs/Folders.h"
#include "support/fs/ShellLink.h"

namespace {
constexpr int kCsidlDesktop = 0;
constexpr int kCsidlPrograms = 2;
}  // namespace

std::string GroupFolder(std::string_view subPath) {
  return SpecialFolderPath(kCsidlPrograms) + std::string(subPath);
}

std::vector<std::string> MakeGroupShortcuts(std::string_view subPath, const std::string& installFolder) {
  std::vector<std::string> notSaved;
  // A path with characters outside the code page would name another folder, or none.
  if (!SpecialFolderIsExact(kCsidlPrograms)) return notSaved;
  std::string groupFolder = GroupFolder(subPath);
  std::string created = groupFolder;
  EnsureFolder(created);

  for (const ShortcutEntry& entry : GroupShortcuts()) {
    const std::string arguments = entry.arguments.empty() ? "" : QuotedIfBlank(installFolder + entry.arguments);
    const std::string icon = entry.icon.empty() ? "" : installFolder + entry.icon;
    const std::string link = groupFolder + entry.name + ".lnk";
    if (!CreateShellLink(link, installFolder + entry.target, arguments, entry.name, icon, 0, 0))
      notSaved.push_back(link);
  }
  return notSaved;
}

std::string DesktopShortcutPath() {
  return AddTrailingBackslash(SpecialFolderPath(kCsidlDesktop)) + kDesktopShortcutName;
}

bool MakeDesktopShortcut(const std::string& linkPath, const std::string& installFolder) {
  if (!SpecialFolderIsExact(kCsidlDesktop)) return true;
  return CreateShellLink(linkPath, installFolder + kDesktopTarget, "", kProductName, installFolder + kDesktopIcon, 0, 0);
}

std::vector<std::string> MissingShortcuts(std::string_view subPath, const std::string& desktopLink,
                                          const std::vector<std::string>& notSaved) {
  const auto failed = [&](const std::string& link) {
    return !FileIsPresent(link) || std::find(notSaved.begin(), notSaved.end(), link) != notSaved.end();
  };
  std::vector<std::string> missing;
  const bool groupExact = SpecialFolderIsExact(kCsidlPrograms);
  const std::string groupFolder = GroupFolder(subPath);
  for (const ShortcutEntry& entry : GroupShortcuts()) {
    const std::string link = groupFolder + entry.name + ".lnk";
    if (!groupExact || failed(link)) missing.push_back(link);
  }
  if (!SpecialFolderIsExact(kCsidlDesktop) || failed(desktopLink)) missing.push_back(desktopLink);
  return missing;
}
