#include "uninstall/ProductTraces.h"

#include <windows.h>

#include "product/Product.h"
#include "product/Shortcuts.h"
#include "support/base/Lists.h"
#include "support/base/Paths.h"
#include "support/base/Text.h"
#include "support/fs/CanonicalFolder.h"
#include "support/fs/Files.h"
#include "support/fs/Folders.h"
#include "support/fs/ShellLink.h"
#include "support/win/SystemError.h"
#include "support/win/UniqueHandle.h"
#include "uninstall/InstalledFiles.h"
#include "uninstall/RemovalRules.h"
#include "uninstall/UninstallCommandLine.h"

namespace {

constexpr int kCsidlDesktop = 0;
constexpr int kCsidlPrograms = 2;

// RemoveDirectory removes only an empty folder; a folder that still holds something stays.
void RemoveFolderIfEmpty(const std::string& folder, RemovalTally& tally) {
  const std::string path = StripTrailingBackslashes(folder);
  if (!FolderIsPresent(path)) return;
  if (::RemoveDirectoryA(path.c_str()))
    tally.Removed(path);
  else
    tally.LeftAlone(path, "not empty");
}

void RemoveLinkIntoFolder(const std::string& link, const std::string& installDir, RemovalTally& tally) {
  if (!FileIsPresent(link)) return;
  const std::string target = ShellLinkTarget(link);
  if (!LiesInside(CanonicalFolder(target), installDir)) {
    tally.LeftAlone(link, "points to " + (target.empty() ? std::string("nothing readable") : target));
    return;
  }
  if (::DeleteFileA(link.c_str()))
    tally.Removed(link);
  else
    tally.NotRemoved(link, SystemErrorReason(::GetLastError()));
}

// The registry's command line names this record in the canonical form of its folder.
bool NamesRecord(const std::string& command, const std::string& recordPath) {
  const std::string named = ParseUninstallArguments(ArgumentsAfterProgram(command)).recordPath;
  if (named.empty()) return false;
  const std::string canonical = AddTrailingBackslash(CanonicalFolder(FolderPart(named))) + AsciiLower(NamePart(named));
  return canonical == AsciiLower(recordPath);
}

std::string ReadText(HKEY key, const char* name) {
  char buffer[4096] = {};
  DWORD type = 0, size = sizeof buffer - 1;
  if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return {};
  return std::string(buffer, strnlen(buffer, size));
}

}  // namespace

void RemoveEmptyFolders(const UninstallRecordData& record, InstalledFiles& files, RemovalTally& tally) {
  for (const std::string& folder : ListItems(record.delIfEmpty, ',')) {
    const std::string refusal = EntryRefusal(folder);
    const std::string path = StripTrailingBackslashes(files.Dir() + folder);
    if (!refusal.empty()) {
      tally.Refused("Del_if_Empty", folder, refusal);
      continue;
    }
    const std::uint32_t error = files.RemoveFolder(path);
    if (!error)
      tally.Removed(path);
    else if (error == kEntryIsLink)
      tally.LeftAlone(path, "a link, junction or mount point");
    else if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
      tally.LeftAlone(path, error == ERROR_DIR_NOT_EMPTY ? "not empty" : SystemErrorReason(error));
  }
  // Normally still holds the program and the record: the finishing copy removes it then.
  if (files.RemoveInstallFolder())
    tally.LeftAlone(files.Dir(), "not empty yet");
  else
    tally.Removed(files.Dir());
}

void RemoveShortcuts(const UninstallRecordData& record, const std::string& installDir, RemovalTally& tally) {
  const std::string programs = SpecialFolderPath(kCsidlPrograms);
  const std::string group = AddTrailingBackslash(programs + kGroupSubPath);
  if (!record.groupFolder.empty()) {
    if (programs.empty() || AsciiLower(AddTrailingBackslash(record.groupFolder)) != AsciiLower(group)) {
      tally.Refused("Group_Folder", record.groupFolder, "not the Start-menu group " + group);
    } else {
      for (const ShortcutEntry& entry : GroupShortcuts()) RemoveLinkIntoFolder(group + entry.name + ".lnk", installDir, tally);
      RemoveFolderIfEmpty(group, tally);
      RemoveFolderIfEmpty(FolderPart(StripTrailingBackslashes(group)), tally);
    }
  }
  if (record.shortcuts.empty()) return;
  if (AsciiLower(record.shortcuts) != AsciiLower(kDesktopShortcutName)) {
    tally.Refused("Shortcuts", record.shortcuts, std::string("only ") + kDesktopShortcutName + " is removed");
    return;
  }
  const std::string desktop = SpecialFolderPath(kCsidlDesktop);
  if (!desktop.empty()) RemoveLinkIntoFolder(AddTrailingBackslash(desktop) + kDesktopShortcutName, installDir, tally);
}

void RemoveUninstallEntry(const std::string& recordPath, RemovalTally& tally) {
  const std::string keyPath = std::string(kUninstallRootKey) + "\\" + kUninstallGuid;
  const std::string shown = "HKCU\\" + keyPath;
  std::string command;
  {
    UniqueHkey key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return;
    command = ReadText(key.get(), "UnInstallString");
  }
  if (!NamesRecord(command, recordPath)) {
    tally.LeftAlone(shown, "it names another installation: " + command);
    return;
  }
  const LONG result = ::RegDeleteKeyA(HKEY_CURRENT_USER, keyPath.c_str());
  if (result == ERROR_SUCCESS)
    tally.Removed(shown);
  else
    tally.Kept(shown, SystemErrorReason(static_cast<std::uint32_t>(result)));
}
