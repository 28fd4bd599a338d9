#include "engine/Shortcuts.h"

#include "support/Product.h"
#include "support/Files.h"
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

namespace {
// Calls f(link name, target field, the rest of the entry) for each entry of the list.
template <typename F>
void ForEachShortcut(F&& f) {
  std::string list = kShortcutList;
  while (!list.empty()) {
    std::string entry = SplitFirst(list, "|");
    const std::string target = SplitFirst(entry, ",");
    const std::string name = SplitFirst(entry, ",");
    f(name, target, entry);
  }
}
}  // namespace

void MakeGroupShortcuts(std::string_view subPath, const std::string& installFolder) {
  // A path with characters outside the code page would name another folder, or none.
  if (!SpecialFolderIsExact(kCsidlPrograms)) return;
  std::string groupFolder = GroupFolder(subPath);
  std::string created = groupFolder;
  EnsureFolder(created);

  ForEachShortcut([&](const std::string& name, const std::string& targetField, std::string rest) {
    const std::string argumentField = SplitFirst(rest, ",");
    const std::string arguments = argumentField.empty() ? "" : QuotedIfBlank(installFolder + argumentField);
    // What remains of the entry is the icon field.
    const std::string icon = rest.empty() ? "" : installFolder + rest;
    CreateShellLink(groupFolder + name + ".lnk", installFolder + targetField, arguments, name, icon, 0, 0);
  });
}

std::string DesktopShortcutPath() {
  return AddTrailingBackslash(SpecialFolderPath(kCsidlDesktop)) + kDesktopShortcutName;
}

void MakeDesktopShortcut(const std::string& linkPath, const std::string& installFolder) {
  if (!SpecialFolderIsExact(kCsidlDesktop)) return;
  CreateShellLink(linkPath, installFolder + "qlx.exe", "", kProductName, installFolder + "qlx.ico", 0, 0);
}

std::vector<std::string> MissingShortcuts(std::string_view subPath, const std::string& desktopLink) {
  std::vector<std::string> missing;
  const bool groupExact = SpecialFolderIsExact(kCsidlPrograms);
  const std::string groupFolder = GroupFolder(subPath);
  ForEachShortcut([&](const std::string& name, const std::string&, const std::string&) {
    const std::string link = groupFolder + name + ".lnk";
    if (!groupExact || !FileIsPresent(link)) missing.push_back(link);
  });
  if (!SpecialFolderIsExact(kCsidlDesktop) || !FileIsPresent(desktopLink)) missing.push_back(desktopLink);
  return missing;
}
