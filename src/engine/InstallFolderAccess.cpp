#include "engine/InstallFolderAccess.h"

#include <optional>

#include "engine/InstallRules.h"
#include "support/base/AccessList.h"
#include "support/base/Paths.h"
#include "support/fs/Folders.h"
#include "support/fs/Links.h"
#include "support/fs/ProtectedFolder.h"
#include "support/run/RunLog.h"

namespace {

std::optional<AccessList> AccessOf(const std::string& folder) {
  const std::optional<std::string> text = FolderAccessText(folder);
  return text ? ParseAccessList(*text) : std::nullopt;
}

InstallFolderAccess OpenToOthers(const std::string& folder) {
  LogFormat("InstallProgram.Other users can change the programs in %s", folder);
  return {0, true};
}

InstallFolderAccess PrepareExistingFolder(const std::string& folder, const std::string& user) {
  const std::optional<AccessList> access = AccessOf(folder);
  if (!access) {
    LogFormat("InstallProgram.Folder access list not readable: %s", folder);
    return OpenToOthers(folder);
  }
  // Others who may rename entries of the parent may put a folder of their own in this one's
  // place, whatever its own list says.
  const std::optional<AccessList> parent = AccessOf(StripTrailingBackslashes(FolderPart(folder)));
  if (!parent || LetsOthersReplaceEntries(*parent, user)) return OpenToOthers(folder);
  switch (DecideExistingFolder(*access, user)) {
    case ExistingFolderStep::Keep:
      return {};
    case ExistingFolderStep::Protect:
      if (const std::uint32_t error = ProtectFolder(folder)) {
        LogFormat("InstallProgram.Folder NOT protected %s (error %d)", folder, static_cast<int>(error));
        return {error, true};
      }
      LogFormat("InstallProgram.Folder protected: %s (other users could change it through its parent)", folder);
      return {};
    case ExistingFolderStep::Warn:
      break;
  }
  return OpenToOthers(folder);
}

}  // namespace

InstallFolderAccess PrepareInstallFolder(const std::string& installFolder, const AccessListsKept& listsKept) {
  const std::string folder = StripTrailingBackslashes(installFolder);
  // A folder that is a link is none the run writes into: neither it nor what it leads to is
  // changed here.
  if (IsReparsePoint(folder)) return {};
  if (!listsKept(installFolder)) {
    LogFormat("InstallProgram.Folder cannot be protected on this drive: %s", folder);
    return {0, false, true};
  }
  const std::string user = CurrentUserSid();
  if (FolderIsPresent(folder)) return PrepareExistingFolder(folder, user);
  // The topmost level the run makes, and the existing folder it goes in.
  std::string top = folder;
  std::string parent = StripTrailingBackslashes(FolderPart(top));
  while (!IsDriveRoot(parent) && !FolderIsPresent(parent) && parent.size() < top.size()) {
    top = parent;
    parent = StripTrailingBackslashes(FolderPart(top));
  }
  bool protect = IsDriveRoot(parent);
  if (!protect) {
    const std::optional<AccessList> access = AccessOf(parent);
    // A parent whose list cannot be read is taken to pass change rights on.
    protect = !access || PassesChangeRightsToNewFolders(*access, user);
  }
  if (!protect) return {};
  if (const std::uint32_t error = CreateProtectedFolder(top)) {
    LogFormat("InstallProgram.Folder NOT made protected %s (error %d)", top, static_cast<int>(error));
    return {error, false};
  }
  LogFormat("InstallProgram.Folder made protected: %s", top);
  return {};
}
